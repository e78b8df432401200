"""GLib's own bookmark-file parser (GBookmarkFile, the reader and writer of
recently-used.xbel that GTK and GIO programs use), reached through ctypes:
the GObject bindings of some GLib versions cannot create a BookmarkFile."""

import ctypes
import ctypes.util


class GError(ctypes.Structure):
    _fields_ = [("domain", ctypes.c_uint32), ("code", ctypes.c_int),
                ("message", ctypes.c_char_p)]


class BookmarkError(Exception):
    """GLib refused a bookmark file or an entry."""


def _library():
    name = ctypes.util.find_library("glib-2.0") or "libglib-2.0.so.0"
    try:
        glib = ctypes.CDLL(name)
    except OSError as error:
        raise ImportError(f"GLib cannot be loaded: {error}") from error
    p, s, e = ctypes.c_void_p, ctypes.c_char_p, ctypes.POINTER(ctypes.POINTER(GError))
    size = ctypes.POINTER(ctypes.c_size_t)
    signatures = {
        "g_bookmark_file_new": (p, []),
        "g_bookmark_file_free": (None, [p]),
        "g_bookmark_file_load_from_file": (ctypes.c_int, [p, s, e]),
        "g_bookmark_file_to_file": (ctypes.c_int, [p, s, e]),
        "g_bookmark_file_has_item": (ctypes.c_int, [p, s]),
        "g_bookmark_file_get_uris": (p, [p, size]),
        "g_bookmark_file_get_mime_type": (p, [p, s, e]),
        "g_bookmark_file_set_mime_type": (None, [p, s, s]),
        "g_bookmark_file_get_applications": (p, [p, s, size, e]),
        "g_bookmark_file_add_application": (None, [p, s, s, s]),
        "g_bookmark_file_get_app_info": (
            ctypes.c_int, [p, s, s, ctypes.POINTER(p), ctypes.POINTER(ctypes.c_uint),
                           ctypes.POINTER(ctypes.c_long), e]),
        "g_bookmark_file_get_groups": (p, [p, s, size, e]),
        "g_bookmark_file_add_group": (None, [p, s, s]),
        "g_bookmark_file_get_is_private": (ctypes.c_int, [p, s, e]),
        "g_bookmark_file_set_is_private": (None, [p, s, ctypes.c_int]),
        "g_free": (None, [p]),
        "g_strfreev": (None, [p]),
        "g_error_free": (None, [ctypes.POINTER(GError)]),
    }
    for function, (result, arguments) in signatures.items():
        f = getattr(glib, function)
        f.restype = result
        f.argtypes = arguments
    return glib


_glib = None


def _g():
    global _glib
    if _glib is None:
        _glib = _library()
    return _glib


def _raise(error, what):
    message = error.contents.message.decode(errors="replace")
    _g().g_error_free(error)
    raise BookmarkError(f"{what}: {message}")


def _call(function, what, *args):
    error = ctypes.POINTER(GError)()
    result = function(*args, ctypes.byref(error))
    if error:
        _raise(error, what)
    return result


def _text(pointer):
    if not pointer:
        return None
    value = ctypes.string_at(pointer).decode()
    _g().g_free(pointer)
    return value


def _texts(pointer):
    values = []
    if pointer:
        array = ctypes.cast(pointer, ctypes.POINTER(ctypes.c_char_p))
        i = 0
        while array[i] is not None:
            values.append(array[i].decode())
            i += 1
        _g().g_strfreev(pointer)
    return values


class BookmarkFile:
    """A GBookmarkFile: the entries GLib reads from or writes to one file."""

    def __init__(self):
        self._file = _g().g_bookmark_file_new()

    def __del__(self):
        if getattr(self, "_file", None):
            _g().g_bookmark_file_free(self._file)

    def load(self, path):
        _call(_g().g_bookmark_file_load_from_file, f"GLib cannot read {path}",
              self._file, str(path).encode())

    def save(self, path):
        _call(_g().g_bookmark_file_to_file, f"GLib cannot write {path}",
              self._file, str(path).encode())

    def uris(self):
        return _texts(_g().g_bookmark_file_get_uris(self._file, None))

    def has(self, uri):
        return bool(_g().g_bookmark_file_has_item(self._file, uri.encode()))

    def mime_type(self, uri):
        return _text(_call(_g().g_bookmark_file_get_mime_type, uri, self._file, uri.encode()))

    def set_mime_type(self, uri, mime):
        _g().g_bookmark_file_set_mime_type(self._file, uri.encode(), mime.encode())

    def applications(self, uri):
        return _texts(_call(_g().g_bookmark_file_get_applications, uri,
                            self._file, uri.encode(), None))

    def add_application(self, uri, name, exec_):
        _g().g_bookmark_file_add_application(self._file, uri.encode(), name.encode(),
                                             exec_.encode())

    def application_info(self, uri, name):
        """(exec with its %u/%f expanded, count, time stamp)."""
        exec_ = ctypes.c_void_p()
        count = ctypes.c_uint()
        stamp = ctypes.c_long()
        _call(_g().g_bookmark_file_get_app_info, f"{uri} {name}", self._file, uri.encode(),
              name.encode(), ctypes.byref(exec_), ctypes.byref(count), ctypes.byref(stamp))
        return _text(exec_.value), count.value, stamp.value

    def groups(self, uri):
        return _texts(_call(_g().g_bookmark_file_get_groups, uri, self._file, uri.encode(), None))

    def add_group(self, uri, group):
        _g().g_bookmark_file_add_group(self._file, uri.encode(), group.encode())

    def is_private(self, uri):
        return bool(_call(_g().g_bookmark_file_get_is_private, uri, self._file, uri.encode()))

    def set_private(self, uri, private):
        _g().g_bookmark_file_set_is_private(self._file, uri.encode(), int(private))
