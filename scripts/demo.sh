#!/usr/bin/env bash
# The main job for a new user: build, then run the production script service
# for a few seconds on a small plant database and show what it did.
#
# It lays out a service root folder in the folder given as the first argument
# (default: demo-output/ in the clone), creates an SQLite plant database with
# a service row and three tasks (a JavaScript task every 2 seconds that uses
# the "sys" and "process" packages, a daily JavaScript task, a Perl task every
# 3 seconds), runs vekpdtserver for VEK_DEMO_SECONDS (default 7) seconds, stops
# it with SIGTERM, and prints the runs' output and the service log. It ends
# with the short tour of the foundation library (log, JSON, files, errors).
set -euo pipefail
source "$(dirname "$0")/lib/common.sh"

vek_ensure_packages "${VEK_BUILD_PACKAGES[@]}" sqlite3 perl
vek_build
demo_dir=$(mkdir -p "${1:-$VEK_ROOT/demo-output}" && cd "${1:-$VEK_ROOT/demo-output}" && pwd)
seconds=${VEK_DEMO_SECONDS:-7}
bin=$VEK_BUILD_DIR/bin
root=$demo_dir/root
out=$demo_dir/out

rm -rf "$root" "$out" "$demo_dir/plant.db" "$demo_dir/foundation"
mkdir -p "$root/linux/bin" "$root/linux/vekperl/bin" "$root/config" "$out"
# The service finds its folders from its own path: the programs are copied,
# the libraries come from the build folder.
cp "$bin/vekpdtserver" "$bin/vekjs" "$root/linux/bin/"
cp "$bin/vekperl" "$root/linux/vekperl/bin/"
ln -s "$bin/vekjslib" "$root/linux/bin/vekjslib"
ln -s "$bin/libvekjsgui.so" "$root/linux/bin/libvekjsgui.so"

sql_text() { sed "s/'/''/g"; }
tick_js=$(sql_text <<JS
var sys = __package__.import('sys');
var process = __package__.import('process');
var argv = JSON.parse(sys.readFileAll(process.argv(1)));
sys.writeFile('$out/ticks.txt', new Date().toISOString() + ' task ' + argv.task_id + ' pid ' + process.pid()
    + ' ran ' + process.execFileName() + ' on ' + sys.hostName() + ': ' + argv.script_parameter.greeting + '\n',
    'append', 'UTF-8', false);
JS
)
daily_js=$(sql_text <<JS
var sys = __package__.import('sys');
sys.writeFile('$out/daily.txt', 'daily report\n', 'append', 'UTF-8', false);
JS
)
report_pl=$(sql_text <<PERL
open(my \$in, '<', \$ARGV[0]) or die "argument file: \$!";
my \$text = do { local \$/; <\$in> };
my (\$id) = \$text =~ /"task_id":(\d+)/;
open(my \$log, '>>', '$out/perl.txt') or die;
printf \$log "%s perl %s: task %s, argument file of %d bytes\n", scalar localtime, \$^V, \$id, length \$text;
PERL
)

sqlite3 "$demo_dir/plant.db" <<SQL
CREATE TABLE mes_pdt_service (id INTEGER PRIMARY KEY, name TEXT, attr_data TEXT, host_name TEXT, host_ip TEXT,
    last_start_time TEXT, status TEXT);
CREATE TABLE mes_pdt_script (id INTEGER PRIMARY KEY, name TEXT, content TEXT, type TEXT, link_cam INTEGER,
    encrypt INTEGER, release_status TEXT, active_status TEXT);
CREATE TABLE mes_pdt_service_script (id INTEGER PRIMARY KEY, script_name TEXT, script_parameter TEXT, status TEXT,
    trigger_type TEXT, trigger_param TEXT, attr_data TEXT);
CREATE TABLE mes_prod_tooling_request (id INTEGER PRIMARY KEY, service_flag INTEGER, request_data TEXT);
INSERT INTO mes_pdt_service (id, name, attr_data, status) VALUES (1, 'demo-service', '{}', 'stopped');
INSERT INTO mes_pdt_script (name, content, type, link_cam, encrypt, release_status, active_status) VALUES
    ('tick.js', '$tick_js', 'JAVASCRIPT', 0, 0, 'released', 'active'),
    ('daily.js', '$daily_js', 'JAVASCRIPT', 0, 0, 'released', 'active'),
    ('report.pl', '$report_pl', 'PERL', 0, 0, 'released', 'active');
INSERT INTO mes_pdt_service_script (id, script_name, script_parameter, status, trigger_type, trigger_param) VALUES
    (1, 'tick.js', '{"greeting": "hello from the plant"}', 'active', 'crontab',
     '{"trigger_type": "INTERVAL", "value": 2}'),
    (2, 'daily.js', NULL, 'active', 'crontab', '{"trigger_type": "EACH_DAY", "value": "06:00:00"}'),
    (3, 'report.pl', NULL, 'active', 'crontab', '[{"trigger_type": "INTERVAL", "value": 3, "wait_process": true}]');
SQL

cat >"$root/config/vekpdtserver.cfg" <<JSON
{
    "service_name": "demo-service",
    "debug_mode": 1,
    "database_type": "QSQLITE",
    "database_name": "$demo_dir/plant.db"
}
JSON

vek_log "running vekpdtserver for $seconds seconds in $root"
env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM "$root/linux/bin/vekpdtserver" >"$demo_dir/service.out" 2>&1 &
pid=$!
sleep "$seconds"
kill -TERM "$pid"
wait "$pid" && status=0 || status=$?
vek_log "vekpdtserver ended with status $status"

vek_log "service row"
sqlite3 -header -column "$demo_dir/plant.db" "SELECT name, host_name, host_ip, last_start_time, status FROM mes_pdt_service"
vek_log "JavaScript runs ($out/ticks.txt)"
cat "$out/ticks.txt"
vek_log "Perl runs ($out/perl.txt)"
cat "$out/perl.txt"
vek_log "left in the temporary folder (the script buffer files only)"
ls "$root/tmp"
vek_log "service log ($root/log)"
cat "$root"/log/*.log

vek_log "the foundation library on its own (foundationdemo)"
"$bin/foundationdemo" "$demo_dir/foundation"
exit "$status"
