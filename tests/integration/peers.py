"""Shared pieces of the integration tests: skipping, a temporary sandbox
whose started processes are always ended, waiting with a deadline, free
ports, building a list with quorvane, a small IRC server and observer."""

import os
import pwd
import select
import shutil
import signal
import socket
import subprocess
import sys
import tempfile
import time
from pathlib import Path

SKIP = 77  # CTest's SKIP_RETURN_CODE for these tests


class Failure(Exception):
    """A check of an integration test failed."""


def skip(reason):
    print(f"SKIPPED: {reason}", flush=True)
    sys.exit(SKIP)


def need_programs(*names):
    missing = [n for n in names if shutil.which(n) is None]
    if missing:
        skip("not installed: " + ", ".join(missing) +
             " (./dev.sh test installs the integration test packages)")


def main(body):
    """Runs a test's body: a failed check prints its reason and exits 1."""
    try:
        body()
    except Failure as failure:
        print(f"FAILED: {failure}", flush=True)
        sys.exit(1)


def check(condition, message):
    if not condition:
        raise Failure(message)


def bin_dir():
    folder = os.environ.get("QUOR_BIN")
    if not folder:
        here = Path(__file__).resolve().parents[2]
        folder = str(here / "build" / "bin")
    return Path(folder)


def as_ordinary_user(argv):
    """argv run as an ordinary user: as is for one, as "nobody" for root
    (some clients stop at a warning dialog when they run as root)."""
    if os.geteuid() != 0:
        return list(argv)
    user = pwd.getpwnam("nobody")
    return ["setpriv", f"--reuid={user.pw_uid}", f"--regid={user.pw_gid}", "--clear-groups",
            *argv]


def hand_to_ordinary_user(folder):
    """Gives folder and everything in it to the user of as_ordinary_user."""
    if os.geteuid() != 0:
        return
    user = pwd.getpwnam("nobody")
    for path in [folder, *folder.rglob("*")]:
        os.chown(path, user.pw_uid, user.pw_gid, follow_symlinks=False)


def free_port():
    with socket.socket() as s:
        s.bind(("127.0.0.1", 0))
        return s.getsockname()[1]


def wait_until(predicate, timeout, what):
    """Polls predicate until it gives a true value; fails naming what was
    awaited when timeout seconds pass first."""
    deadline = time.monotonic() + timeout
    while True:
        value = predicate()
        if value:
            return value
        if time.monotonic() > deadline:
            raise Failure(f"gave up after {timeout} s waiting for {what}")
        time.sleep(0.1)


class Sandbox:
    """A temporary folder with a private home, settings store and program
    folder, and the processes started in it: each runs in its own process
    group and is ended (TERM, then KILL) when the sandbox closes, also on
    failure."""

    def __init__(self, name):
        self.root = Path(tempfile.mkdtemp(prefix=f"quor-{name}."))
        self.home = self.root / "home"
        self.runtime = self.root / "run"
        for folder in (self.home, self.runtime):
            folder.mkdir(mode=0o700)
        self.env = dict(os.environ)
        self.env.update({
            "HOME": str(self.home),
            "XDG_RUNTIME_DIR": str(self.runtime),
            "XDG_CONFIG_HOME": str(self.home / ".config"),
            "XDG_DATA_HOME": str(self.home / ".local/share"),
            "XDG_CACHE_HOME": str(self.home / ".cache"),
            "QUORVANE_HOME": str(self.root / "quorvane"),
            "LC_ALL": "C.UTF-8",
        })
        self.processes = []

    def __enter__(self):
        return self

    def __exit__(self, *exc):
        self.stop_all()
        if exc[0] is None and not os.environ.get("QUOR_KEEP_SANDBOX"):
            shutil.rmtree(self.root, ignore_errors=True)
        else:
            print(f"sandbox kept: {self.root}", flush=True)
        return False

    def start(self, argv, name, env=None, cwd=None):
        log = open(self.root / f"{name}.log", "wb")
        print("starting: " + " ".join(str(a) for a in argv), flush=True)
        process = subprocess.Popen([str(a) for a in argv], env=env or self.env, cwd=cwd,
                                   stdin=subprocess.DEVNULL, stdout=log,
                                   stderr=subprocess.STDOUT, start_new_session=True)
        process.log_path = self.root / f"{name}.log"
        self.processes.append(process)
        return process

    def stop_all(self):
        for process in reversed(self.processes):
            stop_group(process)
        self.processes.clear()

    def run(self, argv, env=None, check_status=True, timeout=60, quiet=False):
        if not quiet:
            print("running: " + " ".join(str(a) for a in argv), flush=True)
        done = subprocess.run([str(a) for a in argv], env=env or self.env,
                              stdin=subprocess.DEVNULL, capture_output=True, text=True,
                              timeout=timeout)
        if check_status and done.returncode != 0:
            raise Failure(f"{argv[0]} ended with status {done.returncode}:\n"
                          f"{done.stdout}{done.stderr}")
        return done


def stop_group(process):
    if process.poll() is None:
        try:
            os.killpg(process.pid, signal.SIGTERM)
        except ProcessLookupError:
            return
        try:
            process.wait(timeout=5)
        except subprocess.TimeoutExpired:
            pass
    try:  # children that outlived the leader
        os.killpg(process.pid, signal.SIGKILL)
    except ProcessLookupError:
        pass
    process.wait()


def log_tail(process, lines=30):
    try:
        text = process.log_path.read_text(errors="replace").splitlines()
    except OSError:
        return ""
    return "\n".join(text[-lines:])


def build_list(box, folder, save_path, **settings):
    """Catalogues folder into the list save_path with quorvane auto and makes
    it quorfind's own list. settings are further Quorvane "Settings" keys."""
    tool = bin_dir() / "quorvane-settings"
    box.run([tool, "add-folder", folder, "Music"])
    values = {"SavePath": str(save_path), **settings}
    for key, value in values.items():
        box.run([tool, "set", "Quorvane", "Settings", key, str(value)])
    box.run([tool, "set", "Quorfind", "Settings", "LocalList", str(save_path)])
    box.run([bin_dir() / "quorvane", "auto"])


def set_setting(box, app, key, value):
    """Sets a "Settings" key of app ("Quorvane" or "Quorfind")."""
    box.run([bin_dir() / "quorvane-settings", "set", app, "Settings", key, str(value)])


def set_find_setting(box, key, value):
    set_setting(box, "Quorfind", key, value)


def run_action(box, *args, env=None, check_status=True, ordinary_user=False):
    """Runs quorfind_act with args (see quorfind_act.cpp)."""
    argv = [bin_dir() / "quorfind_act", *args]
    if ordinary_user:
        argv = as_ordinary_user(argv)
    return box.run(argv, env=env, check_status=check_status)


# ---------------------------------------------------------------- IRC

def start_ngircd(box):
    """A local IRC server on a free port with a temporary configuration;
    returns the port once it accepts connections."""
    port = free_port()
    conf = box.root / "ngircd.conf"
    conf.write_text(f"""[Global]
    Name = irc.quor.test
    Info = Quorvane integration tests
    Listen = 127.0.0.1
    Ports = {port}
    PidFile = {box.root}/ngircd.pid
    MotdPhrase = integration
[Limits]
    MaxNickLength = 30
    PingTimeout = 600
    PongTimeout = 600
[Options]
    PAM = no
    Ident = no
    DNS = no
    RequireAuthPing = no
""")
    box.start(["ngircd", "--nodaemon", "--config", conf], "ngircd")

    def accepting():
        try:
            socket.create_connection(("127.0.0.1", port), timeout=1).close()
            return True
        except OSError:
            return False
    wait_until(accepting, 20, f"ngircd to listen on port {port}")
    return port


class IrcObserver:
    """A plain IRC client that joins a channel and records every line the
    server sends it, so a test sees who joined and what was said."""

    def __init__(self, port, nick, channel):
        self.nick = nick
        self.channel = channel
        self.sock = socket.create_connection(("127.0.0.1", port), timeout=10)
        self.buffer = b""
        self.lines = []
        self.send(f"NICK {nick}")
        self.send(f"USER {nick} 0 * :observer")
        self.wait_for(lambda line: line.split(" ")[1:2] == ["001"], 20, "the server's welcome")
        self.send(f"JOIN {channel}")
        self.wait_for(lambda line: " 366 " in line, 20, f"joining {channel}")

    def send(self, line):
        self.sock.sendall(line.encode() + b"\r\n")

    def _read(self, timeout):
        ready, _, _ = select.select([self.sock], [], [], timeout)
        if not ready:
            return
        data = self.sock.recv(65536)
        if not data:
            raise Failure("the IRC server closed the observer's connection")
        self.buffer += data
        while b"\r\n" in self.buffer:
            raw, self.buffer = self.buffer.split(b"\r\n", 1)
            line = raw.decode(errors="replace")
            if line.startswith("PING"):
                self.send("PONG" + line[4:])
            self.lines.append(line)

    def wait_for(self, predicate, timeout, what, start=0):
        deadline = time.monotonic() + timeout
        seen = start
        while True:
            for line in self.lines[seen:]:
                if predicate(line):
                    return line
            seen = len(self.lines)
            left = deadline - time.monotonic()
            if left <= 0:
                raise Failure(f"gave up after {timeout} s waiting for {what}; "
                              f"the observer saw:\n" + "\n".join(self.lines[-20:]))
            self._read(min(left, 0.5))

    def members(self):
        """The nicknames in the channel now, by a fresh NAMES reply."""
        start = len(self.lines)
        self.send(f"NAMES {self.channel}")
        self.wait_for(lambda line: " 366 " in line, 10, "the names of the channel", start)
        names = set()
        for line in self.lines[start:]:
            if " 353 " in line:
                names.update(n.lstrip("@+") for n in line.split(" :", 1)[1].split())
        return names

    def wait_for_members(self, nicks, timeout):
        deadline = time.monotonic() + timeout
        while not set(nicks) <= self.members():
            if time.monotonic() > deadline:
                raise Failure(f"gave up after {timeout} s waiting for {', '.join(nicks)} "
                              f"to join {self.channel}")
            self._read(0.3)

    def drain(self, seconds=0.5):
        """Reads what has arrived so far."""
        self._read(seconds)

    def close(self):
        try:
            self.send("QUIT")
        finally:
            self.sock.close()


def start_weechat(box, name, port, nick, channel, commands=(), fifo=False):
    """A headless WeeChat with its own home folders, connected to the local
    server and in channel (its current buffer)."""
    home = box.root / name
    env = dict(box.env)
    env.update({
        "HOME": str(home),
        "XDG_CONFIG_HOME": str(home / "config"),
        "XDG_DATA_HOME": str(home / "data"),
        "XDG_CACHE_HOME": str(home / "cache"),
        "XDG_RUNTIME_DIR": str(home / "run"),
    })
    for key in ("HOME", "XDG_RUNTIME_DIR"):
        Path(env[key]).mkdir(parents=True, exist_ok=True, mode=0o700)
    startup = [
        f"/set fifo.file.enabled {'on' if fifo else 'off'}",
        "/set xfer.file.convert_spaces off",
        f"/server add local 127.0.0.1/{port} -notls -nicks={nick} -username={nick} "
        f"-autojoin={channel}",
        *commands,
        "/connect local",
    ]
    process = box.start(["weechat-headless", "--stdout", "-r", ";".join(startup)], name, env=env)
    process.env = env
    return process


def start_receiver(box, port, channel, downloads):
    """The receiving WeeChat, "quorrecv": it accepts every file offered into
    downloads, keeping the file's name (blanks too)."""
    return start_weechat(box, "receiver", port, "quorrecv", channel, commands=[
        "/set xfer.file.auto_accept_files on",
        "/set xfer.file.use_nick_in_filename off",
        f"/set xfer.file.download_path {downloads}",
    ])


def start_irc(box, channel):
    """ngircd, an observer "quorwatch" in channel and the receiving WeeChat
    "quorrecv"; returns (port, observer, receiver, downloads folder)."""
    downloads = box.root / "downloads"
    downloads.mkdir()
    port = start_ngircd(box)
    observer = IrcObserver(port, "quorwatch", channel)
    receiver = start_receiver(box, port, channel, downloads)
    return port, observer, receiver, downloads


def wait_received(downloads, name, data, processes, timeout=30):
    """Waits until downloads/name holds exactly data; fails when one of the
    processes ends first or the time runs out."""
    def arrived():
        for p in processes:
            check(p.poll() is None, f"{p.args[0]} ended early:\n{log_tail(p)}")
        target = downloads / name
        return target.exists() and target.read_bytes() == data
    wait_until(arrived, timeout, f"the receiver to get {name} whole")
