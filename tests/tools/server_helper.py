"""A tools/serve.py of the test's own: started on a free port, asked over HTTP, stopped."""

import http.client
import json
import os
import re
import signal
import subprocess
import sys
import tempfile
import time

from fakes_helper import HERE, process_alive

SERVE = os.path.join(HERE, "..", "..", "tools", "serve.py")


def wait_for(condition, seconds, step=0.05):
    """condition()'s first true value within the time, else its last value."""
    deadline = time.monotonic() + seconds
    while True:
        value = condition()
        if value or time.monotonic() > deadline:
            return value
        time.sleep(step)


def children(pid):
    """The live processes whose parent is pid."""
    found = []
    for entry in filter(str.isdigit, os.listdir("/proc")):
        try:
            with open("/proc/%s/stat" % entry) as f:
                fields = f.read().rsplit(")", 1)[1].split()
        except (FileNotFoundError, ProcessLookupError):
            continue
        if fields[1] == str(pid) and fields[0] != "Z":
            found.append(int(entry))
    return found


class Server:
    def __init__(self, engine, *options, python=sys.executable):
        self.log = tempfile.TemporaryFile(mode="w+")
        self.process = subprocess.Popen(
            [python, SERVE, "--port", "0", "--engine", engine, *options],
            stdout=subprocess.PIPE, stderr=self.log, text=True)
        line = self.process.stdout.readline()
        address = re.search(r"http://(127\.0\.0\.1):(\d+)/", line)
        if not address:
            self.stop()
            raise RuntimeError("serve.py printed %r; its log: %s" % (line, self.logged))
        self.host, self.port = address.group(1), int(address.group(2))
        self.url = "http://%s:%d/" % (self.host, self.port)

    def request(self, method, path, body=None, raw=None, content_type="application/json"):
        """(status, decoded JSON or text): body is sent as JSON, raw as it is."""
        connection = http.client.HTTPConnection(self.host, self.port, timeout=20)
        data = raw if raw is not None else (None if body is None else json.dumps(body).encode())
        headers = {"Content-Type": content_type} if data is not None else {}
        connection.request(method, path, data, headers)
        response = connection.getresponse()
        text = response.read().decode()
        connection.close()
        is_json = response.getheader("Content-Type") == "application/json"
        return response.status, json.loads(text) if is_json else text

    def state(self, game_id):
        return self.request("GET", "/api/games/" + game_id)[1]

    def new_game(self, **settings):
        status, state = self.request("POST", "/api/games", settings)
        if status != 201:
            raise AssertionError("no game: %s %s" % (status, state))
        return state

    def settled(self, game_id, seconds=20):
        """The game's state once it waits for the person (or has ended)."""
        def ready():
            state = self.state(game_id)
            return state if state["over"] or not state.get("thinking") else None

        return wait_for(ready, seconds) or self.state(game_id)

    def brains(self):
        return children(self.process.pid)

    def errors(self):
        """What the server has logged so far (all of it, once stopped)."""
        if not self.log.closed:
            self.log.seek(0)
            self.logged = self.log.read()
        return self.logged

    def stop(self):
        """SIGTERM, as a terminal's Ctrl-C or a service manager would; True when it exits."""
        if self.process.poll() is None:
            self.process.send_signal(signal.SIGTERM)
        try:
            self.process.wait(10)
        except subprocess.TimeoutExpired:
            self.process.kill()
            self.process.wait()
            return False
        finally:
            self.process.stdout.close()
            self.errors()
            self.log.close()
        return True


def all_ended(pids, seconds=5):
    return wait_for(lambda: not any(map(process_alive, pids)), seconds)
