#!/usr/bin/env python3
"""A small HTTPS server on 127.0.0.1 for the end-to-end tests.

It serves the files of a folder by the path of the request (the query is
ignored) and appends every request line ("GET /path?query") to a log file.
Beside a served file NAME, an optional NAME.status holds the status codes of
successive requests for it, separated by blanks (the last one repeats); a
request answered with a code other than 200 gets an empty body. A missing
file gets 404 with an empty body.

The server binds a free port, writes it to the port file once it listens,
and stops by itself after the given number of seconds.
"""
import argparse
import http.server
import os
import ssl
import threading


def main():
    ap = argparse.ArgumentParser()
    ap.add_argument("--root", required=True)
    ap.add_argument("--cert", required=True)
    ap.add_argument("--key", required=True)
    ap.add_argument("--portfile", required=True)
    ap.add_argument("--log", required=True)
    ap.add_argument("--seconds", type=float, default=60)
    args = ap.parse_args()
    counts = {}

    class Handler(http.server.BaseHTTPRequestHandler):
        def do_GET(self):
            with open(args.log, "a") as log:
                log.write("GET %s\n" % self.path)
            name = self.path.split("?", 1)[0].lstrip("/")
            path = os.path.join(args.root, name)
            n = counts.get(name, 0)
            counts[name] = n + 1
            status, body = 404, b""
            if name and os.path.isfile(path):
                status = 200
                codes = []
                if os.path.isfile(path + ".status"):
                    with open(path + ".status") as f:
                        codes = [int(c) for c in f.read().split()]
                if codes:
                    status = codes[min(n, len(codes) - 1)]
                if status == 200:
                    with open(path, "rb") as f:
                        body = f.read()
            self.send_response(status)
            self.send_header("Content-Length", str(len(body)))
            self.end_headers()
            self.wfile.write(body)

        def log_message(self, *a):
            pass

    server = http.server.HTTPServer(("127.0.0.1", 0), Handler)
    ctx = ssl.SSLContext(ssl.PROTOCOL_TLS_SERVER)
    ctx.load_cert_chain(args.cert, args.key)
    server.socket = ctx.wrap_socket(server.socket, server_side=True)
    timer = threading.Timer(args.seconds, server.shutdown)
    timer.daemon = True
    timer.start()
    # A request stuck in its handshake must not keep the process alive.
    hard = threading.Timer(args.seconds + 5, os._exit, [0])
    hard.daemon = True
    hard.start()
    tmp = args.portfile + ".tmp"
    with open(tmp, "w") as f:
        f.write(str(server.server_address[1]))
    os.replace(tmp, args.portfile)
    server.serve_forever()


if __name__ == "__main__":
    main()
