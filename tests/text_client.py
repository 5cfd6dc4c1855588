#!/usr/bin/python3
"""A texthooker's side of the text's WebSocket, for the tests.

usage: text_client.py PORT [--stalled] [--late N] [--start FIFO FILE]

Connects to ws://127.0.0.1:PORT, trying again for 10 s while nothing listens there. With --stalled, a
second client connects first and never reads a byte after its handshake. With --late N, a third client
connects once the first has received N texts. With --start, FILE is then copied into FIFO: a headless
player's reader file, which holds the player until it is written. Prints "connected", then each text
the first client received on a line of its own (its line ends written as \\n) and "closed CODE" when
its connection ends; with --late, then "late", the late client's texts and its "closed CODE".
"""
import asyncio
import socket
import sys
import time

import websockets

RETRY_SECONDS = 10


def stalled_client(port):
    """Sends the handshake, reads the answer's headers, and from then on reads nothing."""
    connection = socket.socket()
    connection.setsockopt(socket.SOL_SOCKET, socket.SO_RCVBUF, 4096)
    connection.connect(("127.0.0.1", port))
    connection.sendall(b"GET / HTTP/1.1\r\nHost: 127.0.0.1\r\nUpgrade: websocket\r\nConnection: Upgrade\r\n"
                       b"Sec-WebSocket-Key: dGhlIHNhbXBsZSBub25jZQ==\r\nSec-WebSocket-Version: 13\r\n\r\n")
    answer = b""
    while b"\r\n\r\n" not in answer:
        answer += connection.recv(1)
    return connection


async def connect(port):
    deadline = time.monotonic() + RETRY_SECONDS
    while True:
        try:
            return await websockets.connect(f"ws://127.0.0.1:{port}", max_size=None)
        except OSError:
            if time.monotonic() > deadline:
                raise
            await asyncio.sleep(0.05)


async def receive(client, texts, arrived=None):
    """Every text until the connection ends, then its close code."""
    try:
        async for text in client:
            texts.append(text.replace("\n", "\\n"))
            if arrived:
                arrived(len(texts))
    except websockets.ConnectionClosed:
        pass
    return client.close_code


async def main(arguments):
    port = int(arguments[0])
    client = await connect(port)
    stalled = stalled_client(port) if "--stalled" in arguments else None
    late_after = int(arguments[arguments.index("--late") + 1]) if "--late" in arguments else None
    late_due = asyncio.Event()
    print("connected", flush=True)
    if "--start" in arguments:
        at = arguments.index("--start")
        with open(arguments[at + 2], "rb") as reader, open(arguments[at + 1], "wb") as fifo:
            fifo.write(reader.read())
    texts, late_texts = [], []
    first = asyncio.create_task(receive(client, texts, lambda count: count == late_after and late_due.set()))
    late_code = None
    if late_after is not None:
        try:
            await asyncio.wait_for(late_due.wait(), RETRY_SECONDS * 3)
            late_code = await receive(await connect(port), late_texts)
        except asyncio.TimeoutError:
            late_code = "never, the first client got too few texts"
    code = await first
    print("\n".join(texts + [f"closed {code}"]), flush=True)
    if late_after is not None:
        print("\n".join(["late"] + late_texts + [f"closed {late_code}"]), flush=True)
    if stalled:
        stalled.close()


asyncio.run(main(sys.argv[1:]))
