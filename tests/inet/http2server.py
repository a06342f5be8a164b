#!/usr/bin/env python3
"""The tests' misbehaving pages from a loopback HTTPS server that offers
HTTP/2 first, as most web servers do. Prints "<port> <certificate file>" when
ready; stops when its standard input closes, or after ten minutes."""

import asyncio
import os
import socket
import subprocess
import sys
import tempfile
import zlib

from hypercorn.asyncio import serve
from hypercorn.config import Config

MIB = 1024 * 1024
LIMIT = 64 * MIB
PIECE = (b"All work and no play makes Jack a dull boy.\n" * 1490)[: 64 * 1024]


def bomb():
    """1 GiB of words as a few MB of gzip: after a full flush the packer starts
    afresh, so each further MiB packs to the same bytes."""
    packer = zlib.compressobj(6, zlib.DEFLATED, 31)
    words = b"word " * (MIB // 5)
    first = packer.compress(words) + packer.flush(zlib.Z_FULL_FLUSH)
    again = packer.compress(words) + packer.flush(zlib.Z_FULL_FLUSH)
    return first, again


BOMB_FIRST, BOMB_AGAIN = bomb()

# path: (headers, first piece, further piece, how many further pieces or None)
ROUTES = {
    "/endless": ([], PIECE, PIECE, None),
    "/under-limit": ([(b"content-length", b"%d" % (LIMIT - 1))], PIECE[:-1], PIECE,
                     (LIMIT - 1) // len(PIECE)),
    "/bomb": ([(b"content-encoding", b"gzip")], BOMB_FIRST, BOMB_AGAIN, 1023),
}


async def app(scope, receive, send):
    if scope["type"] != "http":
        return
    headers, first, again, count = ROUTES[scope["path"]]
    gone = asyncio.Event()

    async def watch():
        while (await receive())["type"] != "http.disconnect":
            pass
        gone.set()

    watcher = asyncio.ensure_future(watch())
    await send({"type": "http.response.start", "status": 200,
                "headers": [(b"content-type", b"text/plain")] + headers})
    await send({"type": "http.response.body", "body": first, "more_body": True})
    sent = 0
    while not gone.is_set() and (count is None or sent < count):
        await send({"type": "http.response.body", "body": again, "more_body": True})
        sent += 1
        await asyncio.sleep(0)  # sending returns at once once the client has gone
    if not gone.is_set():
        await send({"type": "http.response.body", "body": b""})
    watcher.cancel()


async def main(folder):
    cert, key = os.path.join(folder, "cert.pem"), os.path.join(folder, "key.pem")
    subprocess.run(["openssl", "req", "-x509", "-newkey", "ec", "-pkeyopt",
                    "ec_paramgen_curve:prime256v1", "-nodes", "-days", "1",
                    "-subj", "/CN=127.0.0.1", "-addext", "subjectAltName=IP:127.0.0.1",
                    "-keyout", key, "-out", cert], check=True, capture_output=True)
    listener = socket.socket(socket.AF_INET, socket.SOCK_STREAM)
    listener.bind(("127.0.0.1", 0))
    listener.listen()
    config = Config()
    config.bind = ["fd://%d" % listener.fileno()]
    config.certfile, config.keyfile = cert, key
    config.alpn_protocols = ["h2", "http/1.1"]
    config.accesslog = config.errorlog = None
    print(listener.getsockname()[1], cert, flush=True)

    loop = asyncio.get_running_loop()
    stdin_closed = loop.run_in_executor(None, sys.stdin.buffer.read)
    await serve(app, config, shutdown_trigger=lambda: asyncio.wait_for(stdin_closed, 600))


if __name__ == "__main__":
    try:
        with tempfile.TemporaryDirectory() as temporary:
            asyncio.run(main(temporary))
    except asyncio.TimeoutError:
        pass
