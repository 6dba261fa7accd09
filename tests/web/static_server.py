"""Serves a directory on a free loopback port, in a thread of the test, with
the strict Content-Security-Policy the page must work under; a test may add
files of its own at paths of the page's origin."""
import http.server
import threading
import urllib.parse

CSP = "script-src 'self' 'wasm-unsafe-eval'"


class _Handler(http.server.SimpleHTTPRequestHandler):
    extensions_map = dict(http.server.SimpleHTTPRequestHandler.extensions_map,
                          **{".wasm": "application/wasm", ".js": "text/javascript",
                             ".webmanifest": "application/manifest+json"})

    def end_headers(self):
        self.send_header("Content-Security-Policy", CSP)
        self.send_header("Cache-Control", "no-store")
        super().end_headers()

    def translate_path(self, path):
        return self.server.extra.get(urllib.parse.urlsplit(path).path) or super().translate_path(path)

    def log_message(self, fmt, *args):
        self.server.requests.append(fmt % args)


class StaticServer:
    """On port 0, a free one; directory may be changed between requests.
    extra: URL path -> file, served beside the directory."""

    def __init__(self, directory, port=0, extra=None):
        self.directory = directory
        handler = lambda *a, **k: _Handler(*a, directory=self.directory, **k)
        self.httpd = http.server.ThreadingHTTPServer(("127.0.0.1", port), handler)
        self.httpd.daemon_threads = True
        self.httpd.requests = []
        self.httpd.extra = dict(extra or {})
        self.port = self.httpd.server_address[1]
        self.url = "http://127.0.0.1:%d/" % self.port
        self.thread = threading.Thread(target=self.httpd.serve_forever, kwargs={"poll_interval": 0.2},
                                       daemon=True)
        self.thread.start()

    def close(self):
        self.httpd.shutdown()
        self.httpd.server_close()
