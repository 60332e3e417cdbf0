# SPDX-License-Identifier: MIT
"""The browser page end to end in headless Chromium: real key events by
physical key, the tab's title read back.
Usage: browser_game_test.py SITE_DIR SCRIPTED_SITE_DIR XPM_ICON"""
import re
import sys
import unittest

import cdp

PROMPT = "Hit Space Key!!!"
EMPTY = "\u200b"  # how the page shows an empty title
STATUS = "document.getElementById('status').textContent"
# Every title the page shows from now on, with the moment it showed it.
RECORD_TITLES = """window.seen = [[performance.now(), document.title]];
new MutationObserver(() => seen.push([performance.now(), document.title]))
  .observe(document.querySelector('title'), {childList: true, subtree: true, characterData: true});"""


def answers_for(chars):
    """The scripted game's rand_unit answers: it starts with chars[0], then feeds the others."""
    first = [(ord(chars[0]) - ord("@") + 0.5) / 26]
    return ",".join(str(a) for a in first + [(ord(c) - ord("!") + 0.5) / 58 for c in chars[1:]])


def xpm_pixels(path):
    """The icon's pixels as (r, g, b, a), straight from its source."""
    rows = re.findall(r'^"([^"]*)"', open(path).read(), re.MULTILINE)
    width, height, colours = (int(n) for n in rows[0].split()[:3])
    palette = {}
    for row in rows[1:1 + colours]:
        value = row[4:]
        palette[row[0]] = (0, 0, 0, 0) if value == "None" else tuple(
            int(value[i:i + 2], 16) for i in (1, 3, 5)) + (255,)
    return [palette[c] for row in rows[1 + colours:1 + colours + height] for c in row[:width]]


def ready(page):
    """Waits until the game runs: it shows the prompt and its icon."""
    assert cdp.wait_for(lambda: page.evaluate(
        "!!document.querySelector('link[rel=icon]') && document.title") == PROMPT, 20)


class BrowserGameTest(unittest.TestCase):
    @classmethod
    def setUpClass(cls):
        cls.site, cls.scripted = cdp.Site(sys.argv[1]), cdp.Site(sys.argv[2])
        cls.browser = cdp.Browser()

    @classmethod
    def tearDownClass(cls):
        cls.browser.close()
        cls.site.close()
        cls.scripted.close()

    def open(self, chars=None):
        page = self.browser.open(
            self.scripted.url + "?answers=" + answers_for(chars) if chars else self.site.url)
        ready(page)
        page.evaluate(RECORD_TITLES)
        return page

    def test_opens_with_the_prompt_and_icon_and_waits_for_space(self):
        page = self.open("K")
        icon = page.evaluate("""new Promise((done) => {
            const image = new Image();
            image.onload = () => {
              const canvas = document.createElement('canvas');
              canvas.width = canvas.height = 32;
              const context = canvas.getContext('2d');
              context.drawImage(image, 0, 0);
              done(Array.from(context.getImageData(0, 0, 32, 32).data));
            };
            image.src = document.querySelector('link[rel=icon]').href;
          })""")
        self.assertEqual([tuple(icon[i:i + 4]) for i in range(0, len(icon), 4)],
                         xpm_pixels(sys.argv[3]), "the favicon, pixel for pixel")
        for key in ["KeyA", "Quote", "F5", "Tab"]:
            page.tap(key)
        page.type("!")
        page.tap("Space")
        self.assertTrue(page.wait_title("K"))
        self.assertEqual([title for _, title in page.evaluate("seen")], [PROMPT, "K"])

    def test_typing_the_jis_keys_removes_the_leftmost_characters(self):
        page = self.open("@:*+!\"QW;=<>?,-./Z")
        page.tap("Space")
        for c in "@:*+!\"QW;=<>?,-./":
            self.assertTrue(page.wait_title(c), c)
            # A lone Alt or F10 does not take the next key away, and Page Up is "!".
            if c in "QW":
                page.tap("AltLeft" if c == "Q" else "F10")
            page.tap("PageUp") if c == "!" else page.type(c)
            self.assertTrue(page.wait_title(EMPTY), c)

    def test_a_held_key_repeats_as_key_downs_and_an_empty_title_is_no_address(self):
        page = self.open("AA")
        page.tap("Space")
        self.assertTrue(page.wait_title("AAA"))
        page.key("KeyA")
        page.key("KeyA", repeat=True)
        page.key("KeyA", repeat=True)
        self.assertTrue(page.wait_title(EMPTY))
        self.assertTrue(cdp.wait_for(lambda: self.browser.tab_title(page.target) == EMPTY, 20),
                        "the tab shows no address")

    def test_a_hidden_tab_keeps_the_schedule_through_the_game_and_its_results(self):
        page = self.open("AB")
        other = self.browser.open("about:blank")
        self.browser.call("Target.activateTarget", targetId=other.target)
        self.assertTrue(cdp.wait_for(lambda: page.evaluate("document.hidden"), 20))
        page.tap("Space")
        self.assertTrue(page.wait_title("NEXT GAME?", 30))
        seen = page.evaluate("seen")
        seen = seen[[title for _, title in seen].index("A"):]
        titles = [(at - seen[0][0], title) for at, title in seen]
        expected = [(1000 * n, "A" + "B" * n) for n in range(11)] + [
            (10000 + 1500 * n, title) for n, title in enumerate(
                ["SCORE 0", "SCORE 0", "SCORE 0", "Y-SPACE N-Esc", "NEXT GAME?"], 1)]
        self.assertEqual([t for _, t in titles], [t for _, t in expected])
        for (at, title), (ideal, _) in zip(titles, expected):
            self.assertAlmostEqual(at, ideal, delta=60, msg=title)
        self.browser.call("Target.activateTarget", targetId=page.target)
        page.tap("Space")
        self.assertTrue(page.wait_title(lambda t: len(t) == 1))

    def test_esc_ends_the_game_and_the_page_says_so(self):
        page = self.browser.first_tab(self.site.url)
        ready(page)
        page.key("ShiftLeft")
        page.tap("Escape")
        page.key("ShiftLeft", down=False)
        self.assertTrue(cdp.wait_for(lambda: "ended" in page.evaluate(STATUS), 20))
        page.tap("Space")
        self.assertEqual(page.title(), PROMPT, "no key is taken after Esc")


if __name__ == "__main__":
    unittest.main(argv=sys.argv[:1])
