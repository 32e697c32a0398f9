#!/usr/bin/env bash
# text: transliteration both ways and the DOS and KOI8-R repairs as stdin filters.
cli="$1"
# shellcheck source=lib/check.sh
source "$(dirname "$0")/lib/check.sh"

check_stdin "Щука и ёж" 0 "Shhuka i jozh" "$cli" text translit
check_stdin "Shhuka i jozh" 0 "Щука и ёж" "$cli" text detranslit
check_stdin "Shchuka, Ob\"ekt, Mal'chik" 0 "Щука, Объект, Мальчик" "$cli" text detranslit
# "Привет" in cp866 bytes, shown as Windows-1251 characters.
check_stdin "ЏаЁўҐв" 0 "Привет" "$cli" text dos
# "Привет" in KOI8-R bytes, shown as Windows-1251 characters; KOI8-R box drawing becomes "?".
check_stdin "рТЙЧЕФ ‚" 0 "Привет ?" "$cli" text koi

# Line ends and a missing final line end pass through unchanged.
got="$(printf 'a\r\nb' | "$cli" text translit | od -An -c | tr -s ' ')"
[[ "$got" == " a \r \n b" ]] || { echo "FAIL: line ends changed: [$got]"; failures=$((failures + 1)); }

printf 'x' | "$cli" text rot13 > /dev/null 2>&1
[[ $? == 2 ]] || { echo "FAIL: an unknown conversion is no usage error"; failures=$((failures + 1)); }

exit $((failures > 0))
