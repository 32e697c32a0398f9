#!/usr/bin/env bash
# Printing through a real CUPS queue: a private cupsd with its own configuration and socket, a
# queue "Tape" writing PostScript into a file (CUPS's generic PostScript driver), CUPS_SERVER
# pointing the program at it. The tape and then the results list go to the queue with a title,
# the date and 2 copies; each job completes and its output renders as one page per copy. The
# document the program handed to CUPS is kept in the spool and read back for the title, the date
# and the rows (the printed PostScript has Type 3 fonts, which give no text back).
# shellcheck source=tests/e2e/lib.sh
source "${BASH_SOURCE[0]%/*}/lib.sh" "$1" || exit 1
PATH=$PATH:/usr/sbin
for tool in cupsd lpadmin lpstat gs pdftotext; do
  command -v "$tool" >/dev/null ||
    { echo "SKIP: $tool is not installed (scripts/deps.sh test installs cups, cups-client, ghostscript)"; exit 77; }
done
[[ -e /usr/share/cups/drv/sample.drv ]] || { echo "SKIP: CUPS's sample drivers are not installed"; exit 77; }
e2e_setup

cups="$E2E_DIR/cups"
cupsd_pid=""
# shellcheck disable=SC2317  # called on exit
print_cleanup() {
  harness_stop "$cupsd_pid"
  if ((HARNESS_STATUS != 0)) && [[ -s "$cups/log/error_log" ]]; then
    e2e_log "cupsd errors:"
    grep '^E' "$cups/log/error_log" | tail -n 20 | sed 's/^/  | /' >&2
  fi
}
harness_at_exit print_cleanup

# The scheduler's own folders. Filters run as another user: they pass through the run's folder
# into the spool, and the output and temporary folders are open to all.
chmod 711 "$E2E_DIR"
mkdir -p "$cups/spool" "$cups/cache" "$cups/state" "$cups/log" "$cups/tmp" "$cups/out"
chmod 1777 "$cups/tmp" "$cups/out"
cat >"$cups/cupsd.conf" <<CONF
Listen $cups/cups.sock
Browsing No
WebInterface No
DefaultAuthType None
LogLevel warn
PreserveJobFiles Yes
<Location />
  Order allow,deny
  Allow all
</Location>
<Policy default>
  <Limit All>
    Order allow,deny
    Allow all
  </Limit>
</Policy>
CONF
cat >"$cups/cups-files.conf" <<CONF
FileDevice Yes
ServerRoot $cups
RequestRoot $cups/spool
CacheDir $cups/cache
StateDir $cups/state
TempDir $cups/tmp
ErrorLog $cups/log/error_log
AccessLog $cups/log/access_log
PageLog $cups/log/page_log
SystemGroup $(id -gn)
CONF
cupsd -f -c "$cups/cupsd.conf" -s "$cups/cups-files.conf" >"$cups/log/cupsd.out" 2>&1 &
cupsd_pid=$!
export CUPS_SERVER="$cups/cups.sock"
# shellcheck disable=SC2317  # called by e2e_poll
cups_ready() { lpstat -r 2>/dev/null | grep -q "is running"; }
e2e_poll 10 cups_ready || e2e_abort "cupsd did not start: $(cat "$cups/log/cupsd.out")"
lpadmin -p Tape -E -v "file://$cups/out/job.prn" -m drv:///sample.drv/generic.ppd 2>/dev/null ||
  e2e_abort "lpadmin could not make the queue"
lpadmin -d Tape || e2e_abort "lpadmin could not make the queue the default"

# shellcheck disable=SC2317  # called by e2e_poll
job_done() { lpstat -W completed -o Tape 2>/dev/null | grep -q "^Tape-$1 "; }

# Prints from the focused window $1 with Ctrl+P: title $2, the date, 2 copies; then checks job $3:
# it completes, its output renders as $4 pages, and the document sent holds the lines given after.
print_and_check() {
  local window=$1 title=$2 job=$3 pages=$4 line text rendered
  shift 4
  e2e_focus "$window"
  e2e_keys ctrl+p
  e2e_wait_window_named "Печать вычислений" 5 || e2e_abort "Ctrl+P opened no print dialog; windows: $(e2e_describe_windows)"
  e2e_focus "$E2E_FOUND"
  # The queue is chosen already (the system's default); the title has the focus, then the number
  # of copies and the date.
  e2e_keys ctrl+a
  xdotool type --delay 40 "$title"
  e2e_keys Tab Down Tab space Return
  e2e_poll 30 job_done "$job" || e2e_abort "job $job did not complete: $(lpstat -W all -o 2>&1)"
  rendered="$E2E_DIR/rendered-$job"
  mkdir -p "$rendered"
  gs -q -dSAFER -dBATCH -dNOPAUSE -r10 -sDEVICE=pgmraw -o "$rendered/page%03d.pgm" "$cups/out/job.prn" ||
    e2e_fail "gs could not render job $job"
  local count
  count=$(find "$rendered" -name 'page*.pgm' | wc -l)
  ((count == pages)) || e2e_fail "job $job rendered as $count pages, expected $pages (one page, 2 copies)"
  text=$(pdftotext -layout "$cups/spool/d0000$job-001" - 2>/dev/null | tr -s ' ')
  for line in "$title 1/1" "$@"; do
    grep -qF -- "$line" <<<"$text" || e2e_fail "job $job's document lacks \"$line\": $text"
  done
}

e2e_start
e2e_keys 1 2 plus 5 equal 3 asterisk 4 equal
today=$(date +%m/%d/%Y)  # the program's short date in the C locale
print_and_check "$E2E_WINDOW" "Budget" 1 2 "$today" "*4 = 12" "В расчёте 2 значений" "ИТОГО = 12"

e2e_keys F2
e2e_wait_window_named "Результаты" 5 || e2e_abort "F2 showed no results window; windows: $(e2e_describe_windows)"
print_and_check "$E2E_FOUND" "Summary" 2 2 "$today" "12+5 = 17" "3*4 = 12" "ИТОГО = 29"

e2e_close "Подтверждение"
e2e_pass
