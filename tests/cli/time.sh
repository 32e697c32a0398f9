#!/usr/bin/env bash
# time: durations, dates and the clock given with --now.
cli="$1"
now="2026-07-15 14:30:00"
# shellcheck source=lib/check.sh
source "$(dirname "$0")/lib/check.sh"

check 0 "1:15:00" "$cli" --locale ru time "8:45 - 7:30"
check 0 "25:30" "$cli" --locale ru time "23:00 + 2:30"
check 0 "3" "$cli" --locale ru time "1:30 * 2"
check 0 "1,5" "$cli" --locale ru time 1:30
check 0 "1:30:00" "$cli" --locale ru time 1,5
check 0 "4:00:00" "$cli" --locale ru time "1:30 * 2 + 1:00"
check 0 "" "$cli" --locale ru time "0 + 5"
check 0 "" "$cli" --locale ru time "5 / 0"
check 0 "10" "$cli" --locale ru time "10:00 обед"
check 0 "0 лет 1 мес. 0 дней=29" "$cli" --locale ru time "01.03.2024 - 01.02.2024"
check 0 "0 years 1 months 0 days=29" "$cli" --locale ru --english time "01.03.2024 - 01.02.2024"
check 0 "10.07.2026" "$cli" --locale ru time -5 --now "$now"
check 0 "15.07.2026 13:30:00" "$cli" --locale ru time 1:00- --now "$now"
check 0 "0 лет 0 мес. 17 дней=17" "$cli" --locale ru time 01.08.2026- --now "$now"
check 0 "(4) Friday December(31)" "$cli" --locale en --english time 12.25.2026
check 1 "Число часов должно быть от 0 до 596523" "$cli" --locale ru time 2-5-1:00

# Without --now the real clock answers: today plus one day is some date.
"$cli" --locale ru time 1+ | grep -Eq '^[0-9]{2}\.[0-9]{2}\.[0-9]{4}$' || {
  echo "FAIL: time 1+ with the real clock"
  failures=$((failures + 1))
}
"$cli" --locale ru time 1+ --now "2026-13-01 00:00:00" > /dev/null 2>&1
[[ $? == 2 ]] || { echo "FAIL: an impossible --now is no usage error"; failures=$((failures + 1)); }

exit $((failures > 0))
