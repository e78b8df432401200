"""Open/Play and Queue of three rows through a running Audacious (headless,
on a private D-Bus session): its playlist, read back with audtool, holds the
three files in row order. Then the same through user command templates in
the settings store, which a wrapper script shows were the ones used."""

import urllib.parse
import urllib.request

import peers
from peers import check

# Names with a blank, a leading dash after the blank and an ampersand: each
# must reach the player as one argument and never as an option.
NAMES = ["01 first song.mp3", "02 -second.mp3", "03 third & last.mp3"]


def silent_mp3(seconds):
    """MPEG-1 Layer III frames of silence (128 kbit/s, 44.1 kHz): every
    header valid, all side information and data zero."""
    frame = b"\xff\xfb\x90\x00" + b"\x00" * 413
    return frame * int(seconds * 44100 / 1152)


def start_audacious(box):
    address_file = box.root / "bus-address"
    script = (f'printf %s "$DBUS_SESSION_BUS_ADDRESS" > "{address_file}"; '
              "exec audacious --headless")
    process = box.start(["dbus-run-session", "--", "sh", "-c", script], "audacious")
    address = peers.wait_until(lambda: address_file.exists() and address_file.read_text(), 20,
                               "dbus-run-session to give its bus address")
    env = dict(box.env, DBUS_SESSION_BUS_ADDRESS=address)

    def answers():
        check(process.poll() is None, f"Audacious ended early:\n{peers.log_tail(process)}")
        return box.run(["audtool", "version"], env=env, check_status=False,
                       quiet=True).returncode == 0
    peers.wait_until(answers, 30, "Audacious to answer audtool")
    return process, env


def playlist(box, env):
    """The paths in Audacious's current playlist, in order."""
    def audtool(*args):
        return box.run(["audtool", *args], env=env, quiet=True).stdout.strip()
    paths = []
    for n in range(1, int(audtool("playlist-length") or 0) + 1):
        name = audtool("playlist-song-filename", str(n))
        if name.startswith("file://"):
            name = urllib.request.url2pathname(urllib.parse.urlparse(name).path)
        paths.append(name)
    return paths


def check_playlist(box, env, expected, what):
    def complete():
        return len(playlist(box, env)) >= len(expected)
    try:
        peers.wait_until(complete, 20, f"{len(expected)} files in the playlist after {what}")
    except peers.Failure as failure:
        raise peers.Failure(f"{failure}; it holds {playlist(box, env)}")
    got = playlist(box, env)
    check(got == expected, f"after {what} the playlist holds {got}, expected {expected}")
    box.run(["audtool", "playlist-clear"], env=env)


def wrapper(box):
    """A player command in a folder with a blank that logs its arguments
    and hands them to audacious."""
    folder = box.root / "player tools"
    folder.mkdir()
    script = folder / "aud"
    log = box.root / "wrapper.log"
    script.write_text("#!/bin/sh\n"
                      f'for a in "$@"; do printf "[%s]" "$a" >> "{log}"; done\n'
                      f'echo >> "{log}"\n'
                      'exec audacious "$@"\n')
    script.chmod(0o755)
    return script, log


def main():
    peers.need_programs("audacious", "audtool", "dbus-run-session")
    with peers.Sandbox("audacious") as box:
        music = box.root / "music"
        music.mkdir()
        for name in NAMES:
            (music / name).write_bytes(silent_mp3(2))
        peers.build_list(box, music, box.root / "music.txt")
        expected = [str(music / name) for name in NAMES]
        process, env = start_audacious(box)

        for action in ("play", "enqueue"):
            done = peers.run_action(box, action, ".mp3", env=env)
            check("handed 3 of 3" in done.stdout, f"{action}: {done.stdout}{done.stderr}")
            check_playlist(box, env, expected, f'"{action}" of three rows')

        script, log = wrapper(box)
        peers.set_find_setting(box, "PlayCommand", f'"{script}" -p %F')
        peers.set_find_setting(box, "EnqueueCommand", f'"{script}" --enqueue')
        for action in ("play", "enqueue"):
            done = peers.run_action(box, action, ".mp3", env=env)
            check("handed 3 of 3" in done.stdout, f"{action}: {done.stdout}{done.stderr}")
            check_playlist(box, env, expected, f'"{action}" through the templates')
        calls = log.read_text().splitlines()
        wanted = ([f"[-p][{expected[0]}]"] + [f"[--enqueue][{p}]" for p in expected[1:]] +
                  [f"[--enqueue][{p}]" for p in expected])
        check(calls == wanted, "the templates ran as:\n" + "\n".join(calls))
        check(process.poll() is None, "Audacious ended during the test")
    print("Audacious keeps the three files in row order, also through templates")


if __name__ == "__main__":
    peers.main(main)
