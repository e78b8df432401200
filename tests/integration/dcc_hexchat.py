"""DCC send through HexChat: HexChat on a virtual display (xvfb-run) with a
private D-Bus session (dbus-run-session) and a temporary configuration,
connected to a local ngircd. The D-Bus link pokes the DCC command into it;
a receiving WeeChat gets the file byte for byte."""

import peers
from peers import check

CHANNEL = "#quor"


def hexchat_config(folder, port):
    """A configuration that connects at once, asks nothing and offers files
    from the loopback address."""
    folder.mkdir(parents=True)
    (folder / "hexchat.conf").write_text("\n".join([
        "version = 2.16.1",
        "irc_nick1 = quorhex",
        "irc_nick2 = quorhex2",
        "irc_nick3 = quorhex3",
        "irc_user_name = quorhex",
        "irc_real_name = Quorfind integration test",
        "gui_slist_skip = 1",
        "gui_join_dialog = 0",
        "gui_quit_dialog = 0",
        "gui_tray = 0",
        "dcc_ip_from_server = 0",
        "dcc_ip = 127.0.0.1",
        "dcc_auto_recv = 0",
        "net_throttle = 0",
        "",
    ]))
    (folder / "servlist.conf").write_text("\n".join([
        "v=2.16.1",
        "",
        "N=local",
        "E=UTF-8 (Unicode)",
        "F=10",  # use the global nicknames, connect at start
        "D=0",
        f"S=127.0.0.1/{port}",
        f"J={CHANNEL}",
        "",
    ]))


def start_hexchat(box, config):
    """HexChat inside its own session bus and virtual display, as an
    ordinary user; returns the process and the environment that reaches its
    bus once HexChat's remote service is on it."""
    address_file = box.root / "bus-address"
    script = (f'printf %s "$DBUS_SESSION_BUS_ADDRESS" > "{address_file}"; '
              f'exec xvfb-run -a hexchat --cfgdir="{config}"')
    process = box.start(peers.as_ordinary_user(["dbus-run-session", "--", "sh", "-c", script]),
                        "hexchat")
    address = peers.wait_until(
        lambda: address_file.exists() and address_file.read_text(), 20,
        "dbus-run-session to give its bus address")
    env = dict(box.env, DBUS_SESSION_BUS_ADDRESS=address)

    def served():
        check(process.poll() is None, f"HexChat ended early:\n{peers.log_tail(process)}")
        done = box.run(peers.as_ordinary_user(["dbus-send", "--session", "--print-reply", "--dest=org.freedesktop.DBus",
                        "/org/freedesktop/DBus", "org.freedesktop.DBus.NameHasOwner",
                        "string:org.hexchat.service"]), env=env, check_status=False, quiet=True)
        return "boolean true" in done.stdout
    peers.wait_until(served, 30, "HexChat's D-Bus service")
    return process, env


def main():
    peers.need_programs("ngircd", "weechat-headless", "hexchat", "xvfb-run", "xauth",
                        "dbus-run-session", "dbus-send")
    with peers.Sandbox("hexchat") as box:
        music = box.root / "music"
        music.mkdir()
        data = bytes((i * 31 + 7) % 256 for i in range(250_000))
        (music / "hex chat song.mp3").write_bytes(data)
        peers.build_list(box, music, box.root / "music.txt")
        peers.set_find_setting(box, "DDEServiceName", "hexchat")
        port, observer, receiver, downloads = peers.start_irc(box, CHANNEL)
        hexchat_config(box.root / "hexchat", port)
        # HexChat reads the file it sends, and the action reads the list.
        peers.hand_to_ordinary_user(box.root)
        hexchat, env = start_hexchat(box, box.root / "hexchat")
        observer.wait_for_members(["quorhex", "quorrecv"], 40)

        sent = peers.run_action(box, "dcc", "hex chat", "quorrecv", env=env,
                                ordinary_user=True)
        check("handed 1 of 1" in sent.stdout, f"one row should be sent:\n{sent.stdout}"
              f"{sent.stderr}")
        peers.wait_received(downloads, "hex chat song.mp3", data, [hexchat, receiver])
        observer.close()
    print("DCC through HexChat: the file arrives whole")


if __name__ == "__main__":
    peers.main(main)
