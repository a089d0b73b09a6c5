#!/usr/bin/python3
"""FTP server for the transfer tests: 127.0.0.1:21 (or ADDRESS:21), one user, active mode only.

Anonymous logins are also accepted (read-only, in ROOT/anonymous), so a test can tell an empty
user name sent as such from one replaced by "anonymous".

Passive mode is refused so that a client that tried it would fail the tests. A file whose name
ends in ".cut" is sent only half, though SIZE gives its whole length and the transfer is reported
complete (226), as a server that lost the rest would.
Usage: ftp_server.py ROOT USER PASSWORD READY_FILE [ADDRESS]
"""
import io
import os
import sys

from pyftpdlib.authorizers import DummyAuthorizer
from pyftpdlib.handlers import FileProducer, FTPHandler
from pyftpdlib.servers import MultiprocessFTPServer


class ActiveOnlyHandler(FTPHandler):
    def ftp_PASV(self, line):
        self.respond("502 Passive mode is not offered here.")

    def ftp_EPSV(self, line):
        self.respond("502 Passive mode is not offered here.")

    def ftp_RETR(self, file):
        if not file.endswith(".cut"):
            return FTPHandler.ftp_RETR(self, file)
        with open(file, "rb") as whole:
            data = whole.read()
        half = io.BytesIO(data[: len(data) // 2])
        half.name = file
        self.push_dtp_data(FileProducer(half, self._current_type), isproducer=True, file=half, cmd="RETR")
        return file


def main():
    root, user, password, ready_file = sys.argv[1:5]
    address = sys.argv[5] if len(sys.argv) > 5 else "127.0.0.1"
    authorizer = DummyAuthorizer()
    authorizer.add_user(user, password, root, perm="elradfmwMT")
    authorizer.add_anonymous(os.path.join(root, "anonymous"))
    ActiveOnlyHandler.authorizer = authorizer
    ActiveOnlyHandler.banner = "Bellwick test FTP server"
    # A refused login is answered at once rather than after the usual 3 s, to keep the tests short.
    ActiveOnlyHandler.auth_failed_timeout = 0.1
    # One process per connection: under load the single-process server now and then left a session
    # unanswered (about 1 in 150 with three at once), which made concurrent group transfers time out.
    server = MultiprocessFTPServer((address, 21), ActiveOnlyHandler)
    with open(ready_file, "w") as f:
        f.write("21\n")
    server.serve_forever()


if __name__ == "__main__":
    main()
