#!/usr/bin/python3
# SPDX-License-Identifier: MIT
"""The browser page as an app, in headless Chromium: it can be installed,
it plays with its server gone, and a new release's files replace the old.
Usage: installable_page_test.py SITE_FOLDER"""
import os
import shutil
import sys
import tempfile

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "..", "bench"))
import cdp  # noqa: E402  (the benchmark's DevTools client)


def plays(page, url):
    page.call("Page.navigate", url=url)
    assert page.wait_title("Hit Space Key!!!"), f"no prompt at {url}"
    page.tap("Space")
    assert page.wait_title(lambda title: len(title) == 1), f"no game at {url}"


def main(folder):
    release = tempfile.mkdtemp(prefix="titletype-site.")
    shutil.copytree(folder, release, dirs_exist_ok=True)
    for name in os.listdir(release):  # released long ago: the server's times are in seconds
        os.utime(os.path.join(release, name), (0, 0))
    site, browser = cdp.Site(release, max_age=3600), cdp.Browser()
    try:
        page = browser.open("about:blank")
        plays(page, site.url)
        assert cdp.wait_for(lambda: page.evaluate("!!navigator.serviceWorker.controller"), 20), "no copy"

        # A new release: its worker keeps a copy of its own, the old one goes.
        with open(os.path.join(release, "index.html"), "a") as html:
            html.write("<!-- the next release -->\n")
        worker = os.path.join(release, "offline_worker.js")
        text = open(worker).read().replace("const copy = 'titletype-", "const copy = 'titletype-next-")
        open(worker, "w").write(text)
        plays(page, site.url)
        copies = lambda: page.evaluate("caches.keys()")  # noqa: E731
        assert cdp.wait_for(lambda: [c[:15] for c in copies()] == ["titletype-next-"], 20), copies()

        site.close()
        for address in ("", "index.html?keys=typed"):
            plays(page, site.url + address)
        assert page.evaluate("document.lastChild.data") == " the next release ", "offline, the old release"
        assert page.call("Page.getAppManifest")["errors"] == []
        assert page.call("Page.getInstallabilityErrors")["installabilityErrors"] == []
    finally:
        browser.close()
        shutil.rmtree(release, ignore_errors=True)


if __name__ == "__main__":
    main(sys.argv[1])
