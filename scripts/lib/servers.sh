# Real peers for the tests, started on loopback and stopped on exit.
# shellcheck shell=bash

VEK_CLEANUP=()
vek_cleanup() {
    local i
    for ((i = ${#VEK_CLEANUP[@]} - 1; i >= 0; i--)); do
        eval "${VEK_CLEANUP[$i]}" >/dev/null 2>&1 || true
    done
}
trap vek_cleanup EXIT

# An X server for the tests that need a real screen (labelled needs_x).
vek_start_xvfb() {
    local n
    for n in $(seq 90 140); do
        [ -e "/tmp/.X11-unix/X$n" ] || [ -e "/tmp/.X$n-lock" ] && continue
        Xvfb ":$n" -screen 0 1920x1080x24 -nolisten tcp >/dev/null 2>&1 &
        local pid=$!
        VEK_CLEANUP+=("kill $pid")
        local t
        for t in $(seq 1 50); do
            [ -e "/tmp/.X11-unix/X$n" ] && { export DISPLAY=":$n"; vek_log "Xvfb on :$n"; return 0; }
            kill -0 "$pid" 2>/dev/null || break
            sleep 0.1
        done
    done
    vek_log "could not start Xvfb"
    return 1
}

# A free TCP port on 127.0.0.1 (asked of the kernel, so parallel runs do not collide).
vek_free_port() {
    python3 -c 'import socket; s=socket.socket(); s.bind(("127.0.0.1", 0)); print(s.getsockname()[1]); s.close()'
}

# A throwaway MariaDB: its own data folder, a private socket and a port on
# 127.0.0.1, removed on exit. Exports VEK_TEST_MYSQL_{HOST,PORT,USER,PASSWORD,DATABASE}.
vek_start_mariadb() {
    local dir port pid t
    dir=$(mktemp -d /tmp/vek-mariadb.XXXXXX)
    port=$(vek_free_port)
    VEK_CLEANUP+=("rm -rf '$dir'")
    chown mysql:mysql "$dir" 2>/dev/null || true
    local user=mysql
    [ "$(id -u)" -ne 0 ] && user=$(id -un)
    mysql_install_db --no-defaults --user="$user" --datadir="$dir/data" \
        --auth-root-authentication-method=socket --skip-test-db >"$dir/install.log" 2>&1 || {
        vek_log "mysql_install_db failed:"; cat "$dir/install.log" >&2; return 1; }
    mariadbd --no-defaults --user="$user" --datadir="$dir/data" --socket="$dir/mysqld.sock" \
        --pid-file="$dir/mysqld.pid" --port="$port" --bind-address=127.0.0.1 \
        --skip-name-resolve --log-error="$dir/error.log" --innodb-buffer-pool-size=64M \
        --character-set-server=utf8mb4 --collation-server=utf8mb4_general_ci >"$dir/stdout.log" 2>&1 &
    pid=$!
    VEK_CLEANUP+=("kill $pid; wait $pid")
    for t in $(seq 1 300); do
        if mariadb --no-defaults --socket="$dir/mysqld.sock" -uroot -e 'SELECT 1' >/dev/null 2>&1; then
            break
        fi
        kill -0 "$pid" 2>/dev/null || { vek_log "MariaDB did not start:"; cat "$dir/error.log" >&2; return 1; }
        sleep 0.1
    done
    local pwd
    pwd=$(openssl rand -hex 12)
    mariadb --no-defaults --socket="$dir/mysqld.sock" -uroot <<SQL
CREATE DATABASE vektest CHARACTER SET utf8mb4;
CREATE USER 'vektest'@'127.0.0.1' IDENTIFIED BY '$pwd';
GRANT ALL ON vektest.* TO 'vektest'@'127.0.0.1';
SQL
    export VEK_TEST_MYSQL_HOST=127.0.0.1 VEK_TEST_MYSQL_PORT=$port VEK_TEST_MYSQL_USER=vektest \
        VEK_TEST_MYSQL_PASSWORD=$pwd VEK_TEST_MYSQL_DATABASE=vektest
    vek_log "MariaDB on 127.0.0.1:$port"
}

# Runs a command with a throwaway PostgreSQL 15 cluster on loopback (pg_virtualenv
# runs the server as the postgres user and drops the cluster afterwards). The
# command sees VEK_TEST_PG_{HOST,PORT,USER,PASSWORD,DATABASE}.
vek_with_postgres() {
    # Left to itself the throwaway cluster takes 5432, which a PostgreSQL already
    # running on the machine (or a parallel run) holds.
    PGPORT=$(vek_free_port) pg_virtualenv -t -v 15 bash -c '
        export VEK_TEST_PG_HOST=127.0.0.1 VEK_TEST_PG_PORT="$PGPORT" VEK_TEST_PG_USER="$PGUSER" \
            VEK_TEST_PG_PASSWORD="$PGPASSWORD" VEK_TEST_PG_DATABASE="$PGDATABASE"
        echo "== PostgreSQL on 127.0.0.1:$PGPORT" >&2
        exec "$@"' vek-with-postgres "$@"
}
