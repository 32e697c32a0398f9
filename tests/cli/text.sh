#!/usr/bin/env bash
# text: transliteration both ways and the DOS and KOI8-R repairs as stdin filters.
cli="$1"
failures=0
check() {  # input expected command...
  local input="$1" want="$2"
  shift 2
  local got
  got="$(printf '%s' "$input" | "$@")"
  if [[ $? != 0 || "$got" != "$want" ]]; then
    echo "FAIL: $* <<< [$input] -> [$got], expected [$want]"
    failures=$((failures + 1))
  fi
}

check "Щука и ёж" "Shhuka i jozh" "$cli" text translit
check "Shhuka i jozh" "Щука и ёж" "$cli" text detranslit
check "Shchuka, Ob\"ekt, Mal'chik" "Щука, Объект, Мальчик" "$cli" text detranslit
# "Привет" in cp866 bytes, shown as Windows-1251 characters.
check "ЏаЁўҐв" "Привет" "$cli" text dos
# "Привет" in KOI8-R bytes, shown as Windows-1251 characters; KOI8-R box drawing becomes "?".
check "рТЙЧЕФ ‚" "Привет ?" "$cli" text koi

# Line ends and a missing final line end pass through unchanged.
got="$(printf 'a\r\nb' | "$cli" text translit | od -An -c | tr -s ' ')"
[[ "$got" == " a \r \n b" ]] || { echo "FAIL: line ends changed: [$got]"; failures=$((failures + 1)); }

printf 'x' | "$cli" text rot13 > /dev/null 2>&1
[[ $? == 2 ]] || { echo "FAIL: an unknown conversion is no usage error"; failures=$((failures + 1)); }

exit $((failures > 0))
