#!/usr/bin/env python3
"""A simulated serial scanner for Wine: a Linux pseudo-terminal pair whose
slave is linked as a COM port of a Wine prefix, so that a Windows program
opens it as \\\\.\\COMn and reads what this helper writes to the master.

    serial-scanner.py start DIR PREFIX [--port COM42] [--absent]
    serial-scanner.py stop DIR
    serial-scanner.py run DIR PREFIX [--port COM42] [--absent]   (in the foreground)

`start` runs the helper in the background and returns once it is ready
(DIR/ready then names the port, DIR/helper.pid holds the process id);
`stop` ends it, removes the port's link and waits for it. DIR is made if
needed and belongs to the helper.
Use a high port number: Wine links com1, com2, ... anew at every start.
`--absent` starts without the port (as a scanner that is not plugged in).

Commands: a Windows program (a test, the demo, a benchmark) writes a file
DIR/NAME.cmd (write it as NAME.tmp and rename it, so that it is never read
half written). The helper looks every few milliseconds, runs the files in
the order of their names, one command per line, and then writes NAME.done
(again through a temporary name) and removes NAME.cmd. Commands:

    appear          a fresh pty pair, linked as the port (replaces one there)
    vanish          hang up and remove the link (the scanner unplugged)
    hangup          hang up, the link stays and names nothing any more
    write TEXT      the bytes of TEXT, with the escapes \\xNN \\r \\n \\t \\\\
    pause MS        wait MS milliseconds before the next command
    quit            end the helper (also what `stop` does)

NAME.done holds one line per command: "ok", or for a write
"ok N bytes at NS" with the CLOCK_MONOTONIC_RAW time in nanoseconds when the
last byte had been taken by the pty (what a benchmark measures from; Wine 8
here counts QueryPerformanceCounter on the same clock, at 10 MHz, so NS / 100
compares with it), or "error REASON"; the first error ends the file. A write waits while the pty's
input queue is full (the reader is slow), at most 10 s.
"""

import errno
import fcntl
import os
import select
import signal
import sys
import time
import tty

POLL_SECONDS = 0.005
WRITE_LIMIT_SECONDS = 10.0
START_LIMIT_SECONDS = 10.0


def unescape(text):
    out = bytearray()
    i = 0
    while i < len(text):
        ch = text[i]
        if ch != "\\":
            out += ch.encode("latin-1")
            i += 1
            continue
        if i + 1 >= len(text):
            raise ValueError("backslash at the end")
        kind = text[i + 1]
        if kind == "x":
            digits = text[i + 2:i + 4]
            if len(digits) != 2:
                raise ValueError("\\x without two hexadecimal digits")
            out.append(int(digits, 16))
            i += 4
            continue
        simple = {"r": 13, "n": 10, "t": 9, "\\": 92}
        if kind not in simple:
            raise ValueError("unknown escape \\" + kind)
        out.append(simple[kind])
        i += 2
    return bytes(out)


class Port:
    """One pty pair at a time, its slave linked as the COM port."""

    def __init__(self, prefix, port):
        self.link = os.path.join(prefix, "dosdevices", port.lower())
        self.master = None
        self.slave = None

    def appear(self):
        self.hangup()
        master, slave = os.openpty()
        tty.setraw(slave)
        # The helper keeps the slave open too, so that bytes written before
        # the program opens the port wait in the pty instead of being lost.
        fcntl.fcntl(master, fcntl.F_SETFL, fcntl.fcntl(master, fcntl.F_GETFL) | os.O_NONBLOCK)
        self.master, self.slave = master, slave
        self.unlink()
        os.symlink(os.ttyname(slave), self.link)

    def hangup(self):
        # Closing the master hangs up every open of the slave.
        for fd in (self.master, self.slave):
            if fd is not None:
                os.close(fd)
        self.master = self.slave = None

    def unlink(self):
        try:
            os.unlink(self.link)
        except FileNotFoundError:
            pass

    def vanish(self):
        self.hangup()
        self.unlink()

    def drain(self):
        # Whatever the program sends (XON/XOFF, echo) is read and dropped.
        if self.master is None:
            return
        try:
            while os.read(self.master, 4096):
                pass
        except OSError:
            pass

    def write(self, data):
        if self.master is None:
            raise ValueError("no port")
        deadline = time.monotonic() + WRITE_LIMIT_SECONDS
        done = 0
        while done < len(data):
            try:
                done += os.write(self.master, data[done:])
                continue
            except OSError as e:
                if e.errno not in (errno.EAGAIN, errno.EWOULDBLOCK):
                    raise ValueError("write failed: " + e.strerror)
            left = deadline - time.monotonic()
            if left <= 0:
                raise ValueError("the reader took only %d of %d bytes" % (done, len(data)))
            self.drain()
            select.select([], [self.master], [], min(left, 0.05))
        return time.clock_gettime_ns(time.CLOCK_MONOTONIC_RAW)


def write_atomically(path, text):
    tmp = path + ".tmp"
    with open(tmp, "w") as f:
        f.write(text)
    os.replace(tmp, path)


def run_commands(port, text):
    """Runs the lines of one command file; returns (result lines, quit)."""
    results = []
    for line in text.splitlines():
        word, _, arg = line.partition(" ")
        try:
            if word == "":
                continue
            elif word == "appear":
                port.appear()
                results.append("ok")
            elif word == "vanish":
                port.vanish()
                results.append("ok")
            elif word == "hangup":
                port.hangup()
                results.append("ok")
            elif word == "write":
                data = unescape(arg)
                at = port.write(data)
                results.append("ok %d bytes at %d" % (len(data), at))
            elif word == "pause":
                time.sleep(int(arg) / 1000.0)
                results.append("ok")
            elif word == "quit":
                results.append("ok")
                return results, True
            else:
                raise ValueError("unknown command " + word)
        except (ValueError, OSError) as e:
            results.append("error %s: %s" % (line[:40], e))
            break
    return results, False


def serve(folder, prefix, port_name, absent):
    port = Port(prefix, port_name)
    stopping = []
    signal.signal(signal.SIGTERM, lambda *_: stopping.append(True))
    if absent:
        port.vanish()
    else:
        port.appear()
    # The ready file names the port for the programs that use it.
    write_atomically(os.path.join(folder, "ready"), port_name.upper() + "\n")
    try:
        while not stopping:
            names = sorted(n for n in os.listdir(folder) if n.endswith(".cmd"))
            for name in names:
                path = os.path.join(folder, name)
                with open(path, encoding="latin-1") as f:
                    text = f.read()
                results, quit_now = run_commands(port, text)
                write_atomically(path[:-4] + ".done", "".join(r + "\n" for r in results))
                os.unlink(path)
                if quit_now:
                    stopping.append(True)
                    break
            port.drain()
            time.sleep(POLL_SECONDS)
    finally:
        port.vanish()
        for name in ("ready", "helper.pid"):
            try:
                os.unlink(os.path.join(folder, name))
            except FileNotFoundError:
                pass


def parse_options(args):
    port, absent, rest = "COM42", False, []
    i = 0
    while i < len(args):
        if args[i] == "--port" and i + 1 < len(args):
            port = args[i + 1]
            i += 2
        elif args[i] == "--absent":
            absent = True
            i += 1
        else:
            rest.append(args[i])
            i += 1
    return port, absent, rest


def stop(folder):
    pid_file = os.path.join(folder, "helper.pid")
    try:
        with open(pid_file) as f:
            pid = int(f.read().strip())
    except (OSError, ValueError):
        return 0
    try:
        os.kill(pid, signal.SIGTERM)
    except ProcessLookupError:
        os.unlink(pid_file)
        return 0
    deadline = time.monotonic() + START_LIMIT_SECONDS
    while os.path.exists(pid_file) and time.monotonic() < deadline:
        time.sleep(0.02)
    return 0 if not os.path.exists(pid_file) else 1


def start(folder, prefix, port, absent):
    stop(folder)
    os.makedirs(folder, exist_ok=True)
    for name in os.listdir(folder):
        os.unlink(os.path.join(folder, name))
    if not os.path.isdir(os.path.join(prefix, "dosdevices")):
        print("serial-scanner: no Wine prefix at " + prefix, file=sys.stderr)
        return 1
    pid = os.fork()
    if pid == 0:
        # The helper outlives this command: a session of its own, and no
        # terminal or pipe of the caller's (CTest waits for its pipes).
        os.setsid()
        devnull = os.open(os.devnull, os.O_RDWR)
        for fd in (0, 1, 2):
            os.dup2(devnull, fd)
        if os.fork() != 0:
            os._exit(0)
        write_atomically(os.path.join(folder, "helper.pid"), "%d\n" % os.getpid())
        try:
            serve(folder, prefix, port, absent)
        finally:
            os._exit(0)
    os.waitpid(pid, 0)
    deadline = time.monotonic() + START_LIMIT_SECONDS
    while not os.path.exists(os.path.join(folder, "ready")):
        if time.monotonic() > deadline:
            print("serial-scanner: the helper did not get ready", file=sys.stderr)
            return 1
        time.sleep(0.02)
    print("serial-scanner: %s ready in %s" % (port, folder))
    return 0


def main(argv):
    port, absent, rest = parse_options(argv[1:])
    if len(rest) == 3 and rest[0] in ("start", "run"):
        folder, prefix = os.path.abspath(rest[1]), os.path.abspath(rest[2])
        if rest[0] == "start":
            return start(folder, prefix, port, absent)
        os.makedirs(folder, exist_ok=True)
        serve(folder, prefix, port, absent)
        return 0
    if len(rest) == 2 and rest[0] == "stop":
        return stop(os.path.abspath(rest[1]))
    print(__doc__, file=sys.stderr)
    return 2


if __name__ == "__main__":
    sys.exit(main(sys.argv))
