#!/usr/bin/python3
# SPDX-License-Identifier: MIT
"""The page with ?speak, in headless Chromium, played by a player who hears
it and never looks: what it asks speechSynthesis to say is recorded, each
character is struck as it is named (by the README's table), and the title
is read once, at the end, for the score that was said. Also: a keyboard
that sends no keys is told what will work.
Usage: page_by_ear_test.py SITE_FOLDER README"""
import os
import re
import sys
import time

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "..", "bench"))
import cdp  # noqa: E402  (the benchmark's DevTools client)

RECORD = """window.said = [];
speechSynthesis.speak = (utterance) => said.push(utterance.text);
speechSynthesis.cancel = () => said.push('CANCEL');"""


def main(folder, readme):
    names = {m[1]: m[0] for m in re.findall(r"\| `(.)` ([a-z-]+) ", open(readme).read())}
    assert len(names) == 58, names
    site, browser = cdp.Site(folder), cdp.Browser()
    try:
        page = browser.open("about:blank")
        page.call("Page.enable")  # which the script for each new document needs
        page.call("Page.addScriptToEvaluateOnNewDocument", source=RECORD)
        page.call("Page.navigate", url=site.url + "?speak")
        assert page.wait_title("Hit Space Key!!!")
        page.tap("Space")
        heard, struck, stop = 0, 0, time.monotonic() + 56  # sixty ticks come within 53 s
        while time.monotonic() < stop:
            said = page.evaluate("said")
            for text in said[heard:]:
                assert not text.startswith("miss"), f"a miss after {struck} keys"
                name = text.removeprefix("go, ").split(",")[0]
                if name in names:
                    page.type(names[name])
                    struck += 1
            heard = len(said)
            time.sleep(0.005)
        assert struck >= 60, struck
        scores = lambda: [t for t in page.evaluate("said") if t.startswith("score ")]  # noqa: E731
        assert cdp.wait_for(scores, 30), "no score said"
        assert page.title() == "SCORE " + scores()[0][6:], (page.title(), scores())

        page.call("Input.dispatchKeyEvent", type="rawKeyDown", key="Unidentified", code="",
                  windowsVirtualKeyCode=229)
        assert "hardware keyboard" in page.evaluate("document.getElementById('status').textContent")
    finally:
        browser.close()
        site.close()


if __name__ == "__main__":
    main(sys.argv[1], sys.argv[2])
