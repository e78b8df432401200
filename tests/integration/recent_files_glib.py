"""The recent-files entry a build writes, read back by GLib's own bookmark
parser: the list's URI, MIME type and application. GLib then rewrites the
file in its own form with other programs' entries; a hundred builds in a row
leave one entry for the list and keep every other entry as it was."""

import urllib.parse

import peers
from peers import Failure, check

try:
    from glib_bookmarks import BookmarkError, BookmarkFile
except ImportError as missing:  # GLib itself is not installed
    peers.skip(str(missing))

OTHERS = {
    "file:///home/someone/Documents/report%20final.odt":
        ("application/vnd.oasis.opendocument.text", "libreoffice", "soffice %u", "Office"),
    "file:///home/someone/Pictures/caf%C3%A9.png": ("image/png", "eog", "eog %u", "Graphics"),
    "https://example.org/page?a=1&b=2": ("text/html", "firefox", "firefox %u", "Web"),
}
PRIVATE = "file:///home/someone/Pictures/caf%C3%A9.png"


def load(path):
    bookmarks = BookmarkFile()
    try:
        bookmarks.load(path)
    except BookmarkError as error:
        raise Failure(str(error))
    return bookmarks


def check_ours(bookmarks, list_file, mime, count):
    uri = "file://" + urllib.parse.quote(str(list_file))
    check(bookmarks.has(uri), f"no entry for {uri}; GLib sees {bookmarks.uris()}")
    check(bookmarks.mime_type(uri) == mime, f"MIME type {bookmarks.mime_type(uri)}, not {mime}")
    check(bookmarks.applications(uri) == ["quorvane"],
          f"applications {bookmarks.applications(uri)}")
    exec_, got, _ = bookmarks.application_info(uri, "quorvane")
    check(exec_ == f"quorvane {uri}", f"the application's command is {exec_!r}")
    check(got == count, f"count {got}, expected {count}")
    return uri


def add_others(bookmarks):
    for uri, (mime, app, exec_, group) in OTHERS.items():
        bookmarks.set_mime_type(uri, mime)
        bookmarks.add_application(uri, app, exec_)
        bookmarks.add_group(uri, group)
    bookmarks.set_private(PRIVATE, True)


def check_others(bookmarks):
    for uri, (mime, app, exec_, group) in OTHERS.items():
        check(bookmarks.mime_type(uri) == mime, f"{uri} lost its MIME type")
        check(bookmarks.applications(uri) == [app], f"{uri} lost its application")
        check(bookmarks.application_info(uri, app)[0] == exec_.replace("%u", uri),
              f"{uri}: its application's command changed")
        check(bookmarks.groups(uri) == [group], f"{uri}: groups {bookmarks.groups(uri)}")
    check(bookmarks.is_private(PRIVATE), "the private flag of another entry was lost")


def main():
    with peers.Sandbox("recent") as box:
        music = box.root / "Music Folder"
        music.mkdir()
        (music / "song.mp3").write_bytes(b"x" * 1000)
        recent = box.home / ".local/share/recently-used.xbel"
        list_file = box.root / "My Lists/café list.html"
        list_file.parent.mkdir()

        # A first build creates the file.
        peers.build_list(box, music, list_file, HTML=1)
        bookmarks = load(recent)
        ours = check_ours(bookmarks, list_file, "text/html", 1)

        # GLib writes it back in its own form with other programs' entries.
        add_others(bookmarks)
        bookmarks.save(recent)

        for _ in range(99):
            box.run([peers.bin_dir() / "quorvane", "auto"])
        bookmarks = load(recent)
        check_ours(bookmarks, list_file, "text/html", 100)
        check(sorted(bookmarks.uris()) == sorted([ours, *OTHERS]),
              f"one entry for the list and the others: {bookmarks.uris()}")
        check_others(bookmarks)

        # A text list gets an entry of its own, announced as plain text.
        text_list = box.root / "My Lists/plain.txt"
        peers.set_setting(box, "Quorvane", "SavePath", text_list)
        peers.set_setting(box, "Quorvane", "HTML", 0)
        box.run([peers.bin_dir() / "quorvane", "auto"])
        bookmarks = load(recent)
        check_ours(bookmarks, text_list, "text/plain", 1)
        check_ours(bookmarks, list_file, "text/html", 100)
        check_others(bookmarks)
    print("GLib reads the recent-files entries; other entries are kept")


if __name__ == "__main__":
    peers.main(main)
