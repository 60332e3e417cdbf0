#!/usr/bin/python3
# SPDX-License-Identifier: MIT
"""Measures the browser page against a floor page of plain JavaScript, side
by side in one headless Chromium, and writes docs/performance-web.md.
Usage: bench/web_bench.py [--quick]   (after cmake --build --preset web;
needs chromium and python3-websocket)"""
import gzip
import os
import shutil
import statistics
import sys
import tempfile
import time

HERE = os.path.dirname(os.path.abspath(__file__))
ROOT = os.path.dirname(HERE)
import cdp  # noqa: E402


def answers_for(chars):
    """The scripted page's rand_unit answers: it starts with chars[0], then feeds the others."""
    first = [(ord(chars[0]) - ord("@") + 0.5) / 26]
    return ",".join(str(a) for a in first + [(ord(c) - ord("!") + 0.5) / 58 for c in chars[1:]])

QUICK = "--quick" in sys.argv
SITE = os.path.join(ROOT, "build", "web", "site")
SCRIPTED = os.path.join(ROOT, "build", "web", "scripted-site")
FLOOR = os.path.join(HERE, "web_floor")
# Installed before the page's own scripts: when each key reaches the page,
# when each title is shown, and when the page began to take keys (its first
# title of its own: the game's prompt, the floor's "ready").
PROBE = """window.keysAt = []; window.titlesAt = []; window.readyAt = null;
addEventListener('keydown', () => keysAt.push(performance.now()), true);
new MutationObserver(() => {
  const now = performance.now();
  titlesAt.push([now, document.title]);
  if (readyAt === null && (document.title === 'Hit Space Key!!!' || document.title === 'ready'))
    readyAt = now;
}).observe(document, {childList: true, subtree: true, characterData: true});"""


RESULT_TITLE = "/^(SCORE|Success|NEXT|Y-)/.test(t)"  # a tick of the result cycle


def percentile(values, fraction):
    values = sorted(values)
    return values[min(len(values) - 1, max(0, int(fraction * len(values) + 0.5) - 1))]


def open_probed(browser, url):
    page = browser.open("about:blank")
    page.call("Page.enable")
    page.call("Page.addScriptToEvaluateOnNewDocument", source=PROBE)
    page.call("Page.navigate", url=url)
    return page


def key_latencies(page, keys, game):
    """Key reached the page → title shown, in ms, for keys that change it."""
    cdp.wait_for(lambda: page.evaluate("readyAt") is not None, 20, "the page")
    if game:  # the scripted game feeds "A" for ever; each "A" typed is a hit
        page.tap("Space")
    latencies = []
    while len(latencies) < keys:
        if game:
            cdp.wait_for(lambda: len(page.title().strip("\u200b")) > 0, 20, "a tick")
        before = page.evaluate("titlesAt.length")
        page.tap("KeyA")
        cdp.wait_for(lambda: page.evaluate("titlesAt.length") > before, 20, "a title")
        latencies.append(page.evaluate("titlesAt[titlesAt.length - 1][0] - keysAt[keysAt.length - 1]"))
    return latencies


def tick_errors(page, period, ticks, is_tick):
    """Each tick's distance from the ideal schedule set by the first, in ms;
    `is_tick` tells a tick's title (JavaScript, of t)."""
    cdp.wait_for(lambda: page.evaluate(f"titlesAt.filter(([_, t]) => {is_tick}).length") >= ticks,
                 ticks * period / 1000 + 60, "the ticks")
    seen = page.evaluate(f"titlesAt.filter(([_, t]) => {is_tick})")
    times = [at for at, _ in seen][:ticks]
    # The ideal schedule: the period's grid, placed where the ticks sit best.
    origin = statistics.median(at - period * i for i, at in enumerate(times))
    return [at - origin - period * i for i, at in enumerate(times)]


def startups(urls, how):
    """Navigation → the page takes keys, in ms, for each of `urls` (by
    name), as a player starts it. "cold": a first visit, from a blank tab
    and from the server alone. "reload": the game asks for a reload to play
    again; from the browser's cache or the page's offline copy, the page
    having settled. "reload, worker stopped": the same after a game of more
    than half a minute, when the browser has stopped the page's worker. The
    pages take turns in one tab of one browser, after rounds that warm the
    browser up."""
    cold = how == "cold"
    browser = cdp.Browser()
    try:
        page = open_probed(browser, "about:blank")
        page.call("Network.enable")
        page.call("Network.setCacheDisabled", cacheDisabled=cold)
        page.call("Network.setBypassServiceWorker", bypass=cold)
        page.call("ServiceWorker.enable")
        samples = {name: [] for name in urls}
        for round in range(-3, 5 if QUICK else 40):
            for name, url in urls.items():
                page.call("Page.navigate", url="about:blank")
                cdp.wait_for(lambda: page.evaluate("location.href") == "about:blank", 20, "a blank tab")
                time.sleep(0.2)  # settled: the last page is gone
                page.call("Page.navigate", url=url)
                if not cold:
                    cdp.wait_for(lambda: page.evaluate("location.href") == url and
                                 page.evaluate("window.readyAt ?? null") is not None, 20, "the page")
                    time.sleep(0.2)  # settled: nobody plays again within milliseconds
                    if how == "reload, worker stopped":
                        page.call("ServiceWorker.stopAllWorkers")
                    page.evaluate("window.loadedBefore = true")
                    page.call("Page.reload")
                cdp.wait_for(lambda: page.evaluate("location.href") == url and
                             page.evaluate("window.loadedBefore ?? null") is None and
                             page.evaluate("window.readyAt ?? null") is not None, 20, "the page")
                if round >= 0:
                    samples[name].append(page.evaluate("readyAt"))
        return samples
    finally:
        browser.close()


def renderer_pss(url):
    """The renderer's memory, in kB, with the page at `url` its only tab."""
    browser = cdp.Browser()
    try:
        page = open_probed(browser, url)
        cdp.wait_for(lambda: page.evaluate("readyAt") is not None, 20, "the page")
        return renderer_pss_kb(browser)
    finally:
        browser.close()


def renderer_pss_kb(browser):
    """PSS of the browser's renderer processes (it has one tab), in kB."""
    parents, total = {}, 0
    for pid in filter(str.isdigit, os.listdir("/proc")):
        try:
            parents[int(pid)] = int(open(f"/proc/{pid}/stat").read().rsplit(")", 1)[1].split()[1])
        except OSError:
            pass
    for pid in parents:
        ancestor = pid
        while ancestor in parents and ancestor != browser.process.pid:
            ancestor = parents[ancestor]
        try:
            if ancestor == browser.process.pid and b"--type=renderer" in open(
                    f"/proc/{pid}/cmdline", "rb").read():
                total += next(int(line.split()[1]) for line in open(f"/proc/{pid}/smaps_rollup")
                              if line.startswith("Pss:"))
        except (OSError, StopIteration):
            pass
    return total


def gzipped_kb(folder):
    return sum(len(gzip.compress(open(os.path.join(folder, f), "rb").read(), 9))
               for f in os.listdir(folder)) / 1024


def floor_as_an_app(folder):
    """The floor made an app as the game's page is, in `folder`: beside it
    the game's manifest, icons and offline worker, which it registers once
    loaded. It shows what a start costs any page that installs and plays
    offline, before it does anything of its own."""
    for name in os.listdir(SITE):
        if name != "index.html":
            shutil.copy(os.path.join(SITE, name), folder)
    page = open(os.path.join(FLOOR, "index.html")).read()
    page = page.replace("</head>", '<link rel="manifest" href="manifest.webmanifest"></head>')
    page = page.replace("</script>", "addEventListener('load', () => "
                        "navigator.serviceWorker.register('offline_worker.js'));\n</script>")
    with open(os.path.join(folder, "index.html"), "w") as f:
        f.write(page)
    return folder


def main():
    game_site, scripted_site, floor_site = cdp.Site(SITE), cdp.Site(SCRIPTED), cdp.Site(FLOOR)
    browser = cdp.Browser()
    version = browser.call("Browser.getVersion")["product"]
    rows = []
    try:
        keys = 30 if QUICK else 300
        game_keys = key_latencies(open_probed(browser, scripted_site.url + "?answers=" +
                                              answers_for("AA")), keys, True)
        floor_keys = key_latencies(open_probed(browser, floor_site.url), keys, False)
        for name, fraction in [("p50", 0.5), ("p99", 0.99)]:
            g, f = percentile(game_keys, fraction), percentile(floor_keys, fraction)
            rows.append((f"key to title {name} (ms), {keys} keys", g, f))

        # Ticks, visible and hidden at once: the Over phase's 1500 ms cycle
        # against the floor's 1000 ms timer.
        ticks = 10 if QUICK else 60
        pages = {}
        for name, url in [("game", scripted_site.url + "?answers=" + answers_for("AB")),
                          ("floor", floor_site.url)]:
            for shown in ("visible", "hidden"):
                pages[name, shown] = open_probed(browser, url)
        for (name, shown), page in pages.items():
            cdp.wait_for(lambda: page.evaluate("readyAt") is not None, 20, "the page")
            if name == "game":
                page.tap("Space")
        blank = browser.open("about:blank")
        browser.call("Target.activateTarget", targetId=blank.target)
        for name in ("game", "floor"):
            browser.call("Target.activateTarget", targetId=pages[name, "visible"].target)
        for shown in ("visible", "hidden"):
            errors = {name: tick_errors(pages[name, shown], 1500 if name == "game" else 1000,
                                        ticks, RESULT_TITLE if name == "game" else "t.startsWith('tick')")
                      for name in ("game", "floor")}
            g, f = errors["game"], errors["floor"]
            rows.append((f"tick error p99, absolute (ms), {ticks} ticks, {shown}",
                         percentile([abs(e) for e in g], 0.99),
                         percentile([abs(e) for e in f], 0.99)))
            rows.append((f"drift: last tick's error less the first's (ms), {shown}",
                         g[-1] - g[0], f[-1] - f[0]))
    finally:
        browser.close()

    app_folder = tempfile.mkdtemp(prefix="titletype-floor-app-")
    app_site = cdp.Site(floor_as_an_app(app_folder))
    starts = []
    for how in ("cold", "reload", "reload, worker stopped"):
        samples = startups({"game": game_site.url, "floor": floor_site.url, "app": app_site.url}, how)
        starts.append((how, *(statistics.median(samples[name]) for name in ("game", "floor", "app"))))
    app_site.close()
    shutil.rmtree(app_folder)
    pss = {"game": renderer_pss(game_site.url), "floor": renderer_pss(floor_site.url)}
    rows.append(("renderer memory, PSS (kB)", pss["game"], pss["floor"]))
    rows.append(("transfer, gzipped (KB)", gzipped_kb(SITE), gzipped_kb(FLOOR)))
    for site in (game_site, scripted_site, floor_site):
        site.close()
    write(rows, starts, version)


def write(rows, starts, version):
    lines = ["# The browser page against the floor", "",
             f"Measured by `bench/web_bench.py` in headless Chromium ({version}), side by side in one run, "
             "on this project's build machine. The floor is `bench/web_floor/`: plain JavaScript "
             "that sets the title on each key-down and on a 1000 ms timer; the game's ticks are "
             "its result cycle (1500 ms). Keys are timed in the page, from the moment the key "
             "reaches it to the title's change.", "",
             "| measure | game | floor | ratio |", "|---|---|---|---|"]
    for name, game, floor in rows:
        ratio = f"{game / floor:.2f}" if floor else "-"
        lines.append(f"| {name} | {game:.3f} | {floor:.3f} | {ratio} |")
    lines += ["", "## Start-up", "",
              "Timed from the navigation to the page's first title of its own, as a player "
              "starts the page: cold, a first visit from a blank tab, from the server alone; a "
              "reload (the game asks for one to play again), from the browser's cache or the "
              "page's offline copy; and a reload once the browser has stopped the page's "
              "worker, as it does after half a minute idle. Beside the floor, the floor made an "
              "app as the game's page is (the same manifest, icons and offline worker): what "
              "any page that installs and plays offline pays before it does anything of its "
              "own. The pages take turns in one tab, after three rounds that warm the browser up.",
              "", "| median (ms) | game | floor | floor as an app | game / floor "
              "| floor as an app / floor | game / floor as an app |", "|---|---|---|---|---|---|---|"]
    for how, game, floor, app in starts:
        lines.append(f"| {how} | {game:.2f} | {floor:.2f} | {app:.2f} | {game / floor:.2f} "
                     f"| {app / floor:.2f} | {game / app:.2f} |")
    with open(os.path.join(ROOT, "docs", "performance-web.md"), "w") as f:
        f.write("\n".join(lines) + "\n")
    print("\n".join(lines))


if __name__ == "__main__":
    main()
