"""A session bus that hangs: it accepts every connection and then either never finishes the
authentication ("auth") or authenticates and never answers a message ("hello").
Usage: stuck_bus.py SOCKET-PATH auth|hello"""
import os
import socket
import sys
import threading

path, mode = sys.argv[1], sys.argv[2]


def serve(conn):
    if mode == "hello":
        buffered = b""
        begun = False
        while not begun:
            data = conn.recv(4096)
            if not data:
                return
            buffered += data
            while b"\r\n" in buffered:
                line, buffered = buffered.split(b"\r\n", 1)
                line = line.lstrip(b"\0")
                if line == b"AUTH":
                    conn.sendall(b"REJECTED EXTERNAL\r\n")
                elif line.startswith(b"AUTH"):
                    conn.sendall(b"OK 0123456789abcdef0123456789abcdef\r\n")
                elif line.startswith(b"NEGOTIATE_UNIX_FD"):
                    conn.sendall(b"AGREE_UNIX_FD\r\n")
                elif line.startswith(b"BEGIN"):
                    begun = True
                    break
    # Holds the connection open and says nothing more, as a stopped bus does.
    while conn.recv(4096):
        pass


server = socket.socket(socket.AF_UNIX, socket.SOCK_STREAM)
server.bind(path + ".tmp")
os.rename(path + ".tmp", path)
server.listen(64)
while True:
    client, _ = server.accept()
    threading.Thread(target=serve, args=(client,), daemon=True).start()
