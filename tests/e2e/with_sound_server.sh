#!/usr/bin/env bash
# Runs a command with a sound server of its own: PulseAudio with a null
# sink that Wine's DirectSound plays into, and parec writing what it plays
# to a file (32-bit float stereo, 48000 Hz) named by QUOBBIN_CAPTURE (kept,
# with QUOBBIN_E2E_KEEP=1, for a listen). The command's exit status is
# passed on.
#
#   with_sound_server.sh COMMAND...
set -u
WORK=$(mktemp -d)
trap 'kill $(jobs -p) 2>/dev/null; wait 2>/dev/null; [ -n "${QUOBBIN_E2E_KEEP:-}" ] && echo "kept $WORK" || rm -rf "$WORK"' EXIT
export HOME=$WORK/home XDG_RUNTIME_DIR=$WORK/run
mkdir -p "$HOME" && mkdir -m 700 "$XDG_RUNTIME_DIR"
export PULSE_SERVER=unix:$XDG_RUNTIME_DIR/native
pulseaudio -n --daemonize=no --exit-idle-time=-1 --disable-shm=yes --log-target=file:"$WORK/pulse.log" \
    -L "module-null-sink sink_name=capture rate=48000 channels=2 format=float32le" \
    -L "module-native-protocol-unix socket=$XDG_RUNTIME_DIR/native auth-anonymous=1" &
for _ in $(seq 1 100); do
    pactl info >/dev/null 2>&1 && break
    sleep 0.1
done
# Silence played into the sink all along keeps it running: an idle sink
# stops its monitor, and the capture would begin only with Wine's sound.
pacat -d capture --format=s16le --rate=48000 --channels=2 --raw </dev/zero 2>/dev/null &
export QUOBBIN_CAPTURE=$WORK/capture.raw
parec -d capture.monitor --format=float32le --rate=48000 --channels=2 --latency-msec=5 --raw >"$QUOBBIN_CAPTURE" 2>/dev/null &
# The sink takes a moment to get going; the command starts once half a
# second has come through.
for _ in $(seq 1 100); do
    [ "$(stat -c %s "$QUOBBIN_CAPTURE" 2>/dev/null || echo 0)" -gt 192000 ] && break
    sleep 0.1
done
"$@"
