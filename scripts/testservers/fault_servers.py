#!/usr/bin/python3
"""FTP servers that fail, for the load and fault tests, each on port 21 of a loopback address of
its own (the program always reaches FTP on port 21, so addresses tell the servers apart):

  HANG_ADDRESS     accepts connections and never says a word, not even the greeting
  REFUSE_ADDRESS   greets, then answers every login with "530 Login incorrect"

Usage: fault_servers.py HANG_ADDRESS REFUSE_ADDRESS READY_FILE
"""
import os
import socketserver
import sys
import threading


class HangHandler(socketserver.BaseRequestHandler):
    def handle(self):
        # Reads and ignores whatever comes, until the client gives up and closes.
        while self.request.recv(4096):
            pass


class RefuseHandler(socketserver.StreamRequestHandler):
    def say(self, line):
        self.wfile.write(line.encode("ascii") + b"\r\n")
        self.wfile.flush()

    def handle(self):
        self.say("220 Bellwick test FTP server (refusing logins)")
        for raw in self.rfile:
            command = raw.decode("latin-1").strip().split(" ")[0].upper()
            if command == "USER":
                self.say("331 Password required")
            elif command == "QUIT":
                self.say("221 Goodbye")
                return
            else:
                self.say("530 Login incorrect")


class Server(socketserver.ThreadingTCPServer):
    daemon_threads = True
    allow_reuse_address = True


def main():
    hang_address, refuse_address, ready_file = sys.argv[1:4]
    servers = [Server((hang_address, 21), HangHandler), Server((refuse_address, 21), RefuseHandler)]
    for server in servers[1:]:
        threading.Thread(target=server.serve_forever, daemon=True).start()
    with open(ready_file + ".tmp", "w") as f:
        f.write("ready\n")
    os.rename(ready_file + ".tmp", ready_file)
    servers[0].serve_forever()


if __name__ == "__main__":
    main()
