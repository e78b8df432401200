"""DCC send through WeeChat: a local ngircd, a sending WeeChat with its fifo
plugin and a receiving WeeChat that accepts files by itself. Rows of a built
list are sent through the fifo link; the receiver gets them byte for byte.
Rows whose names hold "%" or a line break are refused and nothing of them
reaches the server."""


import peers
from peers import check

CHANNEL = "#quor"


def make_music(music):
    music.mkdir()
    files = {
        "send me.mp3": bytes((i * 7 + 3) % 256 for i in range(300_000)),
        "second.mp3": bytes((i * 13) % 251 for i in range(70_000)),
        "100% pure.mp3": b"percent" * 100,
        "line\nbreak.mp3": b"line break" * 100,
    }
    for name, data in files.items():
        (music / name).write_bytes(data)
    return files


def start_sender(box, port):
    return peers.start_weechat(box, "sender", port, "quorsend", CHANNEL, fifo=True)


def main():
    peers.need_programs("ngircd", "weechat-headless")
    with peers.Sandbox("weechat") as box:
        files = make_music(box.root / "music")
        peers.build_list(box, box.root / "music", box.root / "music.txt")
        peers.set_find_setting(box, "DDEServiceName", "weechat")
        port, observer, receiver, downloads = peers.start_irc(box, CHANNEL)
        sender = start_sender(box, port)
        observer.wait_for_members(["quorsend", "quorrecv"], 30)
        fifo_folder = sender.env["XDG_RUNTIME_DIR"]
        peers.wait_until(lambda: list((box.root / "sender/run/weechat").glob("weechat_fifo_*")),
                         20, f"the sender's fifo in {fifo_folder}/weechat")
        # The link finds the fifo in the sender's runtime folder by itself.
        env = dict(box.env, XDG_RUNTIME_DIR=fifo_folder, HOME=sender.env["HOME"])

        sent = peers.run_action(box, "dcc", "send me", "quorrecv", env=env)
        check("handed 1 of 1" in sent.stdout, f"one row should be sent:\n{sent.stdout}")
        peers.wait_received(downloads, "send me.mp3", files["send me.mp3"], [sender, receiver])

        # The refused rows go to the observer, which sees every message to
        # itself and to the channel (where a line's second half would land):
        # first an offer that is not refused, to show that it sees them.
        peers.run_action(box, "dcc", "send me", observer.nick, env=env)
        observer.wait_for(lambda line: f"PRIVMSG {observer.nick} :\x01DCC SEND" in line, 20,
                          "the sender's DCC offer to the observer")
        for text in ("pure", "break"):
            refused = peers.run_action(box, "dcc", text, observer.nick, env=env,
                                       check_status=False)
            check(refused.returncode == 1 and "handed 0 of 1" in refused.stdout,
                  f"the row matching {text!r} should be refused:\n"
                  f"{refused.stdout}{refused.stderr}")
            check("could not be sent" in refused.stderr,
                  f"the refusal should say why:\n{refused.stderr}")

        # The fifo runs lines in order: once a later send has arrived,
        # anything of the refused rows would have reached the server.
        peers.run_action(box, "dcc", "second", "quorrecv", env=env)
        peers.wait_received(downloads, "second.mp3", files["second.mp3"], [sender, receiver])
        observer.drain()
        received = sorted(p.name for p in downloads.iterdir())
        check(received == ["second.mp3", "send me.mp3"], f"the receiver got {received}")
        leaked = [line for line in observer.lines if "pure" in line or "break" in line]
        check(not leaked, "refused rows reached the server:\n" + "\n".join(leaked))
        observer.close()
    print("DCC through WeeChat: files arrive whole, refused rows send nothing")


if __name__ == "__main__":
    peers.main(main)
