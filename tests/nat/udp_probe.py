#!/usr/bin/env python3
"""Small UDP probes that tell what a router in front of a machine does, so that the router test
knows its routers behave as the homes they stand for before any game goes through them.

  reflect HOST PORT_A PORT_B SECONDS  answers "where" with the sender's address as seen here (from
                                      the port asked); "poke" also gets a datagram from PORT_B,
                                      which nobody behind a home router asked for
  map PORT HOST PORT_A PORT_B         from local PORT asks both reflector ports where it is seen;
                                      prints "SEEN_A SEEN_B"
  poke PORT HOST PORT_A               asks for the unasked datagram; prints "passed" or "dropped"
  echo HOST PORT SECONDS              answers anything with "echo"
  ask HOST PORT                       prints "answered" or "silent"

Every probe sends a handful of datagrams at most and gives up within a few seconds.
"""
import select
import socket
import sys
import time

TRIES = 3
WAIT_S = 0.7


def bound(port):
    s = socket.socket(socket.AF_INET, socket.SOCK_DGRAM)
    s.bind(("0.0.0.0", port))
    return s


def ask(s, to, payload):
    """The first answer from `to`, or None after a few tries."""
    for _ in range(TRIES):
        s.sendto(payload, to)
        deadline = time.monotonic() + WAIT_S
        while time.monotonic() < deadline:
            ready, _, _ = select.select([s], [], [], max(0.0, deadline - time.monotonic()))
            if not ready:
                break
            data, sender = s.recvfrom(512)
            if sender == to:
                return data
    return None


def reflect(host, port_a, port_b, seconds):
    a = socket.socket(socket.AF_INET, socket.SOCK_DGRAM)
    a.bind((host, port_a))
    b = socket.socket(socket.AF_INET, socket.SOCK_DGRAM)
    b.bind((host, port_b))
    print("reflecting", flush=True)
    deadline = time.monotonic() + seconds
    while time.monotonic() < deadline:
        ready, _, _ = select.select([a, b], [], [], 0.2)
        for s in ready:
            data, sender = s.recvfrom(512)
            seen = ("%s:%d" % sender).encode()
            if data == b"where":
                s.sendto(seen, sender)
            elif data == b"poke" and s is a:
                a.sendto(seen, sender)
                b.sendto(b"unasked", sender)


def main(argv):
    mode = argv[1]
    if mode == "reflect":
        reflect(argv[2], int(argv[3]), int(argv[4]), float(argv[5]))
    elif mode == "map":
        s = bound(int(argv[2]))
        seen = [ask(s, (argv[3], int(p)), b"where") for p in argv[4:6]]
        print(" ".join(x.decode() if x else "none" for x in seen))
    elif mode == "poke":
        s = bound(int(argv[2]))
        reflector = (argv[3], int(argv[4]))
        if ask(s, reflector, b"poke") is None:
            print("no-answer")
            return
        deadline = time.monotonic() + 1.0
        passed = False
        while time.monotonic() < deadline and not passed:
            ready, _, _ = select.select([s], [], [], max(0.0, deadline - time.monotonic()))
            if not ready:
                break
            data, _ = s.recvfrom(512)
            passed = data == b"unasked"
        print("passed" if passed else "dropped")
    elif mode == "echo":
        s = socket.socket(socket.AF_INET, socket.SOCK_DGRAM)
        s.bind((argv[2], int(argv[3])))
        print("echoing", flush=True)
        deadline = time.monotonic() + float(argv[4])
        while time.monotonic() < deadline:
            ready, _, _ = select.select([s], [], [], 0.2)
            if ready:
                _, sender = s.recvfrom(512)
                s.sendto(b"echo", sender)
    elif mode == "ask":
        s = bound(0)
        print("answered" if ask(s, (argv[2], int(argv[3])), b"hello") else "silent")
    else:
        sys.exit("unknown probe " + mode)


if __name__ == "__main__":
    main(sys.argv)
