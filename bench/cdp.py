# SPDX-License-Identifier: MIT
"""Headless Chromium driven over its DevTools protocol, and a local web
server, for the browser page's benchmark."""
import functools
import http.server
import json
import os
import shutil
import subprocess
import tempfile
import threading
import time

import websocket  # Debian's python3-websocket


class Site:
    """A folder served on 127.0.0.1, on a free port; with `max_age`, its
    files may be kept that many seconds, as many servers allow."""

    def __init__(self, folder, max_age=None):
        def end_headers(handler):
            if max_age is not None:
                handler.send_header("Cache-Control", f"max-age={max_age}")
            http.server.SimpleHTTPRequestHandler.end_headers(handler)
        quiet = type("Quiet", (http.server.SimpleHTTPRequestHandler,),
                     {"log_message": lambda *a: None, "end_headers": end_headers})
        self.server = http.server.ThreadingHTTPServer(
            ("127.0.0.1", 0), functools.partial(quiet, directory=folder))
        threading.Thread(target=self.server.serve_forever, daemon=True).start()
        self.url = f"http://127.0.0.1:{self.server.server_port}/"

    def close(self):
        self.server.shutdown()
        self.server.server_close()


class Browser:
    """One headless Chromium with a fresh profile."""

    def __init__(self):
        self.profile = tempfile.mkdtemp(prefix="titletype-chromium-")
        self.process = subprocess.Popen(
            ["chromium", "--headless=new", "--no-sandbox", "--disable-gpu", "--no-first-run",
             "--disable-background-networking", "--disable-component-update", "--disable-sync",
             "--disable-quic", "--remote-debugging-port=0", f"--user-data-dir={self.profile}",
             "about:blank"], stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        port_file = os.path.join(self.profile, "DevToolsActivePort")
        wait_for(lambda: os.path.exists(port_file) and len(open(port_file).read().split()) == 2,
                 60, "Chromium's DevTools port")
        port, path = open(port_file).read().split()
        self.socket = websocket.create_connection(f"ws://127.0.0.1:{port}{path}", timeout=60)
        self.last_id = 0

    def call(self, method, session=None, **params):
        self.last_id += 1
        message = {"id": self.last_id, "method": method, "params": params}
        if session:
            message["sessionId"] = session
        self.socket.send(json.dumps(message))
        while True:  # events on the way are not needed
            answer = json.loads(self.socket.recv())
            if answer.get("id") == self.last_id:
                if "error" in answer:
                    raise RuntimeError(f"{method}: {answer['error']}")
                return answer["result"]

    def open(self, url):
        target = self.call("Target.createTarget", url=url)["targetId"]
        session = self.call("Target.attachToTarget", targetId=target, flatten=True)["sessionId"]
        return Page(self, target, session)

    def first_tab(self, url):
        """The tab that the browser opened at start, at `url`: unlike a tab
        opened by a script, no script may close it."""
        infos = self.call("Target.getTargets")["targetInfos"]
        target = next(t["targetId"] for t in infos if t["type"] == "page")
        session = self.call("Target.attachToTarget", targetId=target, flatten=True)["sessionId"]
        self.call("Page.navigate", session, url=url)
        return Page(self, target, session)

    def tab_title(self, target):
        """The title that the browser shows for a tab."""
        infos = self.call("Target.getTargets")["targetInfos"]
        return next(t["title"] for t in infos if t["targetId"] == target)

    def close(self):
        self.socket.close()
        self.process.kill()
        self.process.wait()
        shutil.rmtree(self.profile, ignore_errors=True)


# A JIS keyboard's keys by the browser's names: what each types, then what
# it types with Shift (a space where the game needs none).
ROWS = [(["Digit1", "Digit2", "Digit3", "Digit4", "Digit5", "Digit6", "Digit7", "Digit8",
          "Digit9", "Digit0", "Minus"], "1234567890-", "!\"#$%&'() ="),
        ([f"Key{c}" for c in "QWERTYUIOP"] + ["BracketLeft"], "QWERTYUIOP@", ""),
        ([f"Key{c}" for c in "ASDFGHJKL"] + ["Semicolon", "Quote"], "ASDFGHJKL;:", "         +*"),
        ([f"Key{c}" for c in "ZXCVBNM"] + ["Comma", "Period", "Slash"], "ZXCVBNM,./", "       <>?")]
MODIFIERS = {"AltLeft": 1, "ControlLeft": 2, "ShiftLeft": 8}  # the protocol's bits


def stroke_for(c):
    """The key that types `c` on a JIS keyboard, and whether it needs Shift."""
    for codes, plain, shifted in ROWS:
        if c in plain:
            return codes[plain.index(c)], False
        if c != " " and c in shifted:
            return codes[shifted.index(c)], True
    raise ValueError(f"no JIS key for {c!r}")


class Page:
    """One tab, its keyboard and its title."""

    def __init__(self, browser, target, session):
        self.browser, self.target, self.session = browser, target, session
        self.held = 0  # modifier bits held

    def call(self, method, **params):
        return self.browser.call(method, self.session, **params)

    def evaluate(self, expression):
        result = self.call("Runtime.evaluate", expression=expression, returnByValue=True,
                           awaitPromise=True)
        return result["result"].get("value")

    def title(self):
        return self.evaluate("document.title")

    def wait_title(self, wanted, timeout=20):
        """Waits until the title is `wanted` (or satisfies it, if callable)."""
        test = wanted if callable(wanted) else lambda title: title == wanted
        return wait_for(lambda: test(self.title()), timeout)

    def key(self, code, down=True, repeat=False):
        if down and code in MODIFIERS:
            self.held |= MODIFIERS[code]
        elif code in MODIFIERS:
            self.held &= ~MODIFIERS[code]
        self.call("Input.dispatchKeyEvent", type="rawKeyDown" if down else "keyUp", code=code,
                  key=code, modifiers=self.held, autoRepeat=repeat)

    def tap(self, code):
        self.key(code)
        self.key(code, down=False)

    def type(self, c):
        code, shift = stroke_for(c)
        if shift:
            self.key("ShiftLeft")
        self.tap(code)
        if shift:
            self.key("ShiftLeft", down=False)


def wait_for(condition, timeout, what=None):
    """Polls `condition` until it holds; False (or an error naming `what`) after `timeout` s."""
    end = time.monotonic() + timeout
    while not condition():
        if time.monotonic() > end:
            if what:
                raise TimeoutError(f"no {what} within {timeout} s")
            return False
        time.sleep(0.01)
    return True
