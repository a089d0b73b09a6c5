#!/usr/bin/python3
"""HTTP or HTTPS server for the transfer tests, on 127.0.0.1 and a port the kernel picks.

Every answer is made from the request path, so tests need no files on the server:
  /body/N          200 with N bytes, byte i being (i * 7 + 3) % 256
  /empty           200 with an empty body
  /status/N        status N with a short error page
  /redirect/N      302 to /body/N
  /slow/MS         waits MS milliseconds, then 200 with the body "slow MS"
  /silent          reads the request and never answers
  /cut/N           200 announcing N bytes, sends half of them, then stalls
  /file/PATH       200 with the file PATH under the files folder, 404 when there is none; this is
                   how the FTP server's files are read over HTTP. Sends ETag (size and modification
                   time, as Apache does) and Last-Modified, and answers 304 to a request whose
                   If-None-Match or If-Modified-Since still matches; each body sent is counted in
                   FOLDER/.http-bodies (one line per body)
  /endless         200 without a length, then bytes until the client gives up
  /huge            200 announcing 5 GB, then bytes until the client gives up
Usage: http_server.py PORT_FILE [CERT KEY] [--files FOLDER]
"""
import email.utils
import os
import ssl
import sys
import threading
import time
from http.server import BaseHTTPRequestHandler, ThreadingHTTPServer

STALL_SECONDS = 60


def pattern(n):
    return bytes((i * 7 + 3) % 256 for i in range(n))


class Handler(BaseHTTPRequestHandler):
    protocol_version = "HTTP/1.1"

    def log_message(self, fmt, *args):
        sys.stderr.write("%s\n" % (fmt % args))

    def answer(self, status, body, length=None):
        self.send_response(status)
        self.send_header("Content-Type", "application/octet-stream")
        self.send_header("Content-Length", str(len(body) if length is None else length))
        self.end_headers()
        self.wfile.write(body)
        self.wfile.flush()

    def send_file(self, parts):
        folder = self.server.files_folder
        if not folder or not parts or any(p in ("", ".", "..") for p in parts):
            self.answer(404, b"not found")
            return
        path = os.path.join(folder, *parts)
        try:
            with open(path, "rb") as f:
                info = os.fstat(f.fileno())
                body = f.read()
        except OSError:
            self.answer(404, b"not found")
            return
        etag = '"%x-%x"' % (info.st_size, info.st_mtime_ns // 1000)
        modified = email.utils.formatdate(int(info.st_mtime), usegmt=True)
        unchanged = self.headers.get("If-None-Match") == etag
        since = self.headers.get("If-Modified-Since")
        if since is not None and self.headers.get("If-None-Match") is None:
            unchanged = since == modified
        if unchanged:
            self.send_response(304)
            self.send_header("ETag", etag)
            self.send_header("Last-Modified", modified)
            self.end_headers()
            return
        with self.server.count_lock:
            with open(os.path.join(folder, ".http-bodies"), "a") as log:
                log.write("%s %d\n" % (self.path, len(body)))
        self.send_response(200)
        self.send_header("Content-Type", "application/octet-stream")
        self.send_header("Content-Length", str(len(body)))
        self.send_header("ETag", etag)
        self.send_header("Last-Modified", modified)
        self.end_headers()
        self.wfile.write(body)
        self.wfile.flush()

    def send_endless(self, announced):
        self.send_response(200)
        self.send_header("Content-Type", "application/octet-stream")
        if announced is None:
            self.send_header("Connection", "close")
        else:
            self.send_header("Content-Length", str(announced))
        self.end_headers()
        piece = pattern(65536)
        try:
            for _ in range(STALL_SECONDS * 100):
                self.wfile.write(piece)
        except OSError:
            pass
        self.close_connection = True

    def do_GET(self):
        parts = self.path.strip("/").split("/")
        name = parts[0]
        arg = int(parts[1]) if len(parts) > 1 and parts[1].isdigit() else 0
        if name == "body":
            self.answer(200, pattern(arg))
        elif name == "empty":
            self.answer(200, b"")
        elif name == "status":
            self.answer(arg, b"<html><body>error %d</body></html>" % arg)
        elif name == "redirect":
            self.send_response(302)
            self.send_header("Location", "/body/%d" % arg)
            self.send_header("Content-Length", "0")
            self.end_headers()
        elif name == "slow":
            time.sleep(arg / 1000.0)
            self.answer(200, b"slow %d" % arg)
        elif name == "silent":
            time.sleep(STALL_SECONDS)
        elif name == "file":
            self.send_file(parts[1:])
        elif name == "endless":
            self.send_endless(None)
        elif name == "huge":
            self.send_endless(5 * 1000 * 1000 * 1000)
        elif name == "cut":
            self.answer(200, pattern(arg // 2), length=arg)
            time.sleep(STALL_SECONDS)
            self.close_connection = True
        else:
            self.answer(404, b"not found")


class Server(ThreadingHTTPServer):
    daemon_threads = True
    files_folder = None
    count_lock = threading.Lock()


def main():
    args = sys.argv[1:]
    files_folder = None
    if "--files" in args:
        at = args.index("--files")
        files_folder = args[at + 1]
        del args[at:at + 2]
    port_file = args[0]
    server = Server(("127.0.0.1", 0), Handler)
    server.files_folder = files_folder
    if len(args) > 2:
        context = ssl.SSLContext(ssl.PROTOCOL_TLS_SERVER)
        context.load_cert_chain(args[1], args[2])
        # The handshake happens in the request's thread, so a silent client cannot block accept().
        server.socket = context.wrap_socket(server.socket, server_side=True, do_handshake_on_connect=False)
    with open(port_file + ".tmp", "w") as f:
        f.write("%d\n" % server.server_address[1])
    # The rename makes the port appear at once, never half written.
    os.rename(port_file + ".tmp", port_file)
    server.serve_forever()


if __name__ == "__main__":
    main()
