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
source "$(dirname "$0")/lib/servers.sh"

# xvfb and x11-apps (xwd) for the form's picture, python3 to write it as PNG.
vek_ensure_packages "${VEK_BUILD_PACKAGES[@]}" sqlite3 perl xvfb x11-apps python3
vek_build
demo_dir=$(mkdir -p "${1:-$VEK_ROOT/demo-output}" && cd "${1:-$VEK_ROOT/demo-output}" && pwd)
seconds=${VEK_DEMO_SECONDS:-7}
bin=$VEK_BUILD_DIR/bin
root=$demo_dir/root
out=$demo_dir/out

rm -rf "$root" "$out" "$demo_dir/plant.db" "$demo_dir/foundation" "$demo_dir/form" "$demo_dir/form.png"
mkdir -p "$root/linux/bin" "$root/linux/vekperl/bin" "$root/config" "$out"
# The service finds its folders from its own path: the programs are copied,
# the libraries come from the build folder.
cp "$bin/vekpdtserver" "$bin/vekjs" "$root/linux/bin/"
cp "$bin/vekperl" "$root/linux/vekperl/bin/"
ln -s "$bin/vekjslib" "$root/linux/bin/vekjslib"
ln -s "$bin/libvekjsgui.so" "$root/linux/bin/libvekjsgui.so"
# The "tui" package finds the theme beside the program folder.
ln -s "$VEK_BUILD_DIR/resource" "$root/linux/resource"

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

vek_log "the plant form (a tui script) and its picture $demo_dir/form.png"
mkdir -p "$demo_dir/form"
cp "$VEK_ROOT/scripts/plantform.js" "$demo_dir/form/plantform.js"

# An XWD window dump (ZPixmap, 24 or 32 bits per pixel) written as PNG.
xwd_to_png() {
    python3 - "$1" "$2" <<'PY'
import struct, sys, zlib
data = open(sys.argv[1], 'rb').read()
h = struct.unpack('>25I', data[:100])
header_size, fmt, width, height, byte_order, bpp, stride, ncolors = h[0], h[2], h[4], h[5], h[7], h[11], h[12], h[19]
if fmt != 2 or bpp not in (24, 32):
    sys.exit('unsupported window dump (format %d, %d bits per pixel)' % (fmt, bpp))
pixels = data[header_size + 12 * ncolors:]
step = bpp // 8
rows = []
for y in range(height):
    line = pixels[y * stride:y * stride + width * step]
    out = bytearray(b'\0')
    for x in range(0, width * step, step):
        p = line[x:x + step]
        out += bytes((p[2], p[1], p[0])) if byte_order == 0 else bytes(p[-3:])
    rows.append(bytes(out))
def chunk(kind, body):
    return struct.pack('>I', len(body)) + kind + body + struct.pack('>I', zlib.crc32(kind + body) & 0xffffffff)
png = b'\x89PNG\r\n\x1a\n' + chunk(b'IHDR', struct.pack('>IIBBBBB', width, height, 8, 2, 0, 0, 0))
png += chunk(b'IDAT', zlib.compress(b''.join(rows), 9)) + chunk(b'IEND', b'')
open(sys.argv[2], 'wb').write(png)
PY
}

autoclose=0
if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
    vek_start_xvfb || true
    autoclose=1
fi
VEK_DEMO_DB="$demo_dir/plant.db" VEK_DEMO_AUTOCLOSE=$autoclose QT_QPA_PLATFORM=xcb \
    "$root/linux/bin/vekjs" "$demo_dir/form/plantform.js" >"$demo_dir/form/form.out" 2>"$demo_dir/form/form.err" &
form_pid=$!
for _ in $(seq 1 300); do
    grep -q '^shown$' "$demo_dir/form/form.out" 2>/dev/null && break
    kill -0 "$form_pid" 2>/dev/null || break
    sleep 0.1
done
if grep -q '^shown$' "$demo_dir/form/form.out" 2>/dev/null \
    && xwd -silent -name 'Plant form' -out "$demo_dir/form/form.xwd" \
    && xwd_to_png "$demo_dir/form/form.xwd" "$demo_dir/form.png"; then
    vek_log "saved $demo_dir/form.png"
else
    vek_log "the form did not show (see $demo_dir/form/form.err)"
fi
[ "$autoclose" = 1 ] || vek_log "close the form window to go on"
wait "$form_pid" && form_status=0 || form_status=$?
vek_log "the form ended with status $form_status"

vek_log "the foundation library on its own (foundationdemo)"
"$bin/foundationdemo" "$demo_dir/foundation"
exit "$status"
