#!/usr/bin/env bash
# words: the money amount in words behind a number, both engines, overrides and refusals.
cli="$1"
# shellcheck source=lib/check.sh
source "$(dirname "$0")/lib/check.sh"

check 0 " руб. (Одна тысяча двести тридцать четыре рубля 50 копеек)" "$cli" --locale ru words 1234,5
check 0 " руб. (минус Двенадцать рублей 30 копеек)" "$cli" --locale ru words -12,30
check 0 " руб. (00 копеек)" "$cli" --locale ru words 0
check 0 " руб. (0.00)" "$cli" --locale ru words 1000000000000000
check 0 " (One Thousand Two Hundred Thirty Four Dollars and 56 Cents)" "$cli" --locale en --english words 1,234.56
check 0 " (Negative One Thousand Two Hundred Thirty Four Dollars and 50 Cents)" "$cli" --locale en --english words -1,234.5
check 0 " (Zero Dollars)" "$cli" --locale en --english words 0
check 0 "" "$cli" --locale en --english words 1234567890123456
check 0 "" "$cli" --locale ru words abc
check 1 "\"1-2\" - не число" "$cli" --locale ru words 1-2
check 1 "\"12abc\" is not a number" "$cli" --locale en --english words 12abc

dir="$(mktemp -d)"
trap 'rm -rf "$dir"' EXIT
printf '[NUMSTRING]\nCurrency=m,dollar,dollars,dollars,dollars,dollars\nShortCurrency=$\n' > "$dir/numstring.txt"
check 0 " \$ (Два тысячи dollars 00 копеек)" "$cli" --locale ru words 2000 --numstring "$dir/numstring.txt"
check 0 " \$ (Двадцать один dollar 00 копеек)" "$cli" --locale en --english words 21 --numstring "$dir/numstring.txt"
# The same overrides in Windows-1251.
printf 'Minus=\xec\xe8\xed\xf3\xf1\n' > "$dir/cp1251.txt"
check 0 " руб. (минус Пять рублей 00 копеек)" "$cli" --locale ru words -5 --numstring "$dir/cp1251.txt"

"$cli" --locale ru words 5 --numstring "$dir/missing.txt" > /dev/null 2>&1
[[ $? == 2 ]] || { echo "FAIL: a missing override file is no usage error"; failures=$((failures + 1)); }
"$cli" --locale ru words > /dev/null 2>&1
[[ $? == 2 ]] || { echo "FAIL: words without a number"; failures=$((failures + 1)); }

exit $((failures > 0))
