"""The page in headless Chromium against the native program: the example
disk and a full disk dropped on the hosted page, the directory and every
listing read from the DOM equal to lorvex-disk's output, a label link
followed and Back taken, the zip of all listings equal to lorvex-disk -x,
refused files reported, no request made after load, and lorvex.html
opened from file://. Usage:
  /usr/bin/python3 page_test.py SITE_DIR LORVEX_DISK EXAMPLE_D64 FULL_D64 DAMAGED_DIR
Outside CI (CI not "true") a missing tool skips the test (exit 0)."""
import os
import re
import subprocess
import sys
import tempfile
import time
import unittest
import zipfile

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import page_driver  # noqa: E402

SITE, LORVEX_DISK, EXAMPLE, FULL, DAMAGED = (os.path.abspath(a) for a in sys.argv[1:6])

# The listing options the page starts with, as lorvex-disk words.
DEFAULT_WORDS = ["-u"]
# The programs' input cap.
MAX_IMAGE_SIZE = 16 * 1024 * 1024

# A directory row as lorvex-disk prints it: blocks, quoted name, the
# unclosed mark, type, locked mark, variant.
ROW = re.compile(r'^(\d+) +"(.*)" +([ *])(\w+)([< ]?) ?(.*)$')


def native_directory(image):
    run = subprocess.run([LORVEX_DISK] + DEFAULT_WORDS + [os.path.basename(image)],
                         cwd=os.path.dirname(image), capture_output=True, check=True)
    return run.stdout.decode("utf-8").splitlines()


def native_listings(image, directory, words=DEFAULT_WORDS):
    """lorvex-disk -x's files for the image: {file name: bytes}."""
    subprocess.run([LORVEX_DISK, "-x", directory] + words + [image],
                   capture_output=True, check=True)
    found = {}
    for root, _, names in os.walk(directory):
        for name in names:
            with open(os.path.join(root, name), "rb") as f:
                found[name] = f.read()
    return found


class PageTest(unittest.TestCase):
    @classmethod
    def setUpClass(cls):
        cls.work = tempfile.mkdtemp(prefix="lorvex-page-test-")
        cls.downloads = os.path.join(cls.work, "downloads")
        os.mkdir(cls.downloads)
        cls.server, cls.url = page_driver.serve(SITE)
        cls.driver = page_driver.start_browser(cls.downloads)

    @classmethod
    def tearDownClass(cls):
        page_driver.stop_browser(cls.driver)
        cls.server.shutdown()

    def js(self, script, *args):
        return self.driver.execute_script(script, *args)

    def open_hosted(self, images):
        page_driver.open_page(self.driver, self.url + "index.html")
        page_driver.network_requests(self.driver)  # what loading asked for
        page_driver.drop_files(self.driver, images)
        page_driver.wait_for(self.driver, "return lorvexPage.images.length === %d" % len(images))

    def downloaded(self, name):
        """The path of a download once it is complete."""
        path = os.path.join(self.downloads, name)
        deadline = time.time() + 20
        while not os.path.exists(path) and time.time() < deadline:
            time.sleep(0.05)
        return path

    def shown_directory(self):
        return self.js("""
          const t = document.getElementById('directory');
          return {caption: t.caption.textContent, foot: t.tFoot.textContent,
                  rows: Array.from(t.tBodies[0].rows, r => Array.from(r.cells, c => c.textContent))};""")

    def choose(self, image, entry):
        self.js("location.hash = '#image=%d&file=%d'" % (image, entry))
        page_driver.wait_for(self.driver, """
          return lorvexPage.place && lorvexPage.place.image === %d && lorvexPage.place.file === %d"""
                             % (image, entry))
        return self.js("return document.getElementById('listing').textContent")

    def check_image(self, index, image):
        self.js("location.hash = '#image=%d'" % index)
        page_driver.wait_for(self.driver, "return lorvexPage.shown === %d" % index)
        expected = native_directory(image)
        shown = self.shown_directory()
        self.assertEqual(shown["caption"], expected[0])
        self.assertEqual(shown["foot"], expected[-1])
        rows = [ROW.match(line) for line in expected[1:-1]]
        self.assertEqual(len(shown["rows"]), len(rows))
        for cells, row in zip(shown["rows"], rows):
            blocks, name, unclosed, kind, locked, variant = row.groups()
            self.assertEqual(cells, [blocks, name, unclosed + kind + (locked or " "), variant])

        listings = native_listings(image, os.path.join(self.work, "x%d" % index))
        entries = self.js("return lorvexPage.images[%d].image.entries" % index)
        sources = [i for i, e in enumerate(entries) if e["variant"]]
        self.assertEqual(len(sources), len(listings))
        for i in sources:
            text = self.choose(index, i)
            self.assertEqual(text, listings[entries[i]["hostName"] + ".asm"].decode("utf-8"),
                             entries[i]["name"])
        return entries, listings

    def test_hosted_page(self):
        self.open_hosted([EXAMPLE, FULL])
        _, example_listings = self.check_image(0, EXAMPLE)
        entries, listings = self.check_image(1, FULL)
        self.assertEqual(sum(1 for e in entries if e["variant"]), 53)

        # A label use leads to its definition's line; Back and Forward move between them.
        self.choose(0, 0)
        link = self.js("""
          const a = document.querySelector('#listing a.k-lab:not(.k-def)');
          return {name: a.textContent, href: a.getAttribute('href')};""")
        lines = example_listings["hello.asm"].decode("utf-8").split("\n")
        defined = next(k for k, line in enumerate(lines) if line.startswith(link["name"] + " "))
        before = self.js("return location.hash")
        self.js("document.querySelector('#listing a.k-lab:not(.k-def)').click()")
        page_driver.wait_for(self.driver, "return location.hash.includes('line=')")
        self.assertEqual(self.js("return location.hash"), "#image=0&file=0&line=%d" % defined)
        marked = self.js("""
          const m = document.getElementById('marker');
          return !m.hidden && Math.round(parseFloat(m.style.top) / parseFloat(
              getComputedStyle(document.getElementById('listing')).lineHeight))""")
        self.assertEqual(marked, defined)
        self.assertFalse(self.js("return document.getElementById('uses').hidden"))
        self.driver.back()
        page_driver.wait_for(self.driver, "return location.hash === %r" % before)
        self.driver.forward()
        page_driver.wait_for(self.driver, "return lorvexPage.place.line === %d" % defined)
        self.driver.back()
        page_driver.wait_for(self.driver, "return location.hash === %r" % before)

        # The shown listing and the raw bytes, as lorvex-disk -x -r writes them.
        raw = native_listings(EXAMPLE, os.path.join(self.work, "raw"), ["-r"] + DEFAULT_WORDS)
        for button, name in [("save-listing", "hello.asm"), ("save-raw", "hello.prg")]:
            self.js("document.getElementById(arguments[0]).click()", button)
            with open(self.downloaded(name), "rb") as f:
                self.assertEqual(f.read(), raw[name], name)

        # The zip of every listing of the full disk holds lorvex-disk -x's files.
        self.choose(1, 0)
        self.js("document.getElementById('save-zip').click()")
        with zipfile.ZipFile(self.downloaded("full.zip")) as archive:
            self.assertIsNone(archive.testzip())
            members = {name: archive.read(name) for name in archive.namelist()}
        self.assertEqual(members, listings)

        self.assertEqual(page_driver.network_requests(self.driver), [])

    # Option controls set (selector, value: a checkbox's state, a field's
    # or a list's value), and the words lorvex-disk takes for that listing.
    CONTROLS = [
        ([("[data-word='-n']", True)], ["-u", "-n"]),
        ([("[data-word='-u']", False)], []),
        ([("[data-word='-l']", True), ("[data-word='-s']", True)], ["-u", "-l", "-s"]),
        ([("#strings", "-b"), ("[data-value='-W']", "3")], ["-u", "-b", "-W", "3"]),
        ([("#petscii", "-T"), ("[data-value='-w']", "12")], ["-u", "-T", "-w", "12"]),
    ]

    def test_controls(self):
        self.open_hosted([EXAMPLE])
        # Keys in the directory: down to the second file, Enter lists it.
        self.js("document.querySelector('#directory tbody tr').focus()")
        for key in ["ArrowDown", "Enter"]:
            self.js("document.activeElement.dispatchEvent(new KeyboardEvent('keydown', "
                    "{key: arguments[0], bubbles: true}))", key)
        page_driver.wait_for(self.driver, "return lorvexPage.place && lorvexPage.place.file === 1")

        self.choose(0, 0)
        self.js("const f = document.getElementById('find-text'); f.value = 'LOOP';"
                "f.dispatchEvent(new Event('input')); document.getElementById('find-next').click()")
        self.assertEqual(self.js("return document.getElementById('find-count').textContent"),
                         "1 of 2")
        self.assertEqual(self.js("return getSelection().toString()"), "loop")

        for n, (settings, words) in enumerate(self.CONTROLS):
            self.js("document.getElementById('options-form').reset();"
                    "for (const [selector, value] of arguments[0]) {"
                    "  const c = document.querySelector(selector);"
                    "  if (c.type === 'checkbox') c.checked = value; else c.value = value;"
                    "}"
                    "document.getElementById('options').dispatchEvent(new Event('change'))",
                    settings)
            expected = native_listings(EXAMPLE, os.path.join(self.work, "c%d" % n),
                                       words)["hello.asm"].decode("utf-8")
            page_driver.wait_for(self.driver, "return document.getElementById('listing')"
                                 ".textContent === arguments[0]", 20, expected)

    def test_damaged_disks(self):
        """Every damaged medium opens; each listing shows, its warnings beside
        it, the image's own warnings beside the directory; nothing throws."""
        images = sorted(os.path.join(DAMAGED, name) for name in os.listdir(DAMAGED))
        page_driver.open_page(self.driver, self.url + "index.html")
        self.js("window.thrown = []; addEventListener('error', e => thrown.push(e.message));"
                "addEventListener('unhandledrejection', e => thrown.push(String(e.reason)))")
        page_driver.drop_files(self.driver, images)
        page_driver.wait_for(self.driver, "return document.body.dataset.ready && "
                             "lorvexPage.images.length + document.querySelectorAll("
                             "'#messages p.error').length === %d" % len(images))
        warned = 0
        for index in range(self.js("return lorvexPage.images.length")):
            self.js("location.hash = '#image=%d'" % index)
            page_driver.wait_for(self.driver, "return lorvexPage.shown === %d" % index)
            image_warnings = self.js("return lorvexPage.images[%d].image.warnings" % index)
            self.assertEqual(self.js("return Array.from(document.querySelectorAll("
                                     "'#image-warnings li'), e => e.textContent)"), image_warnings)
            warned += bool(image_warnings)
            entries = self.js("return lorvexPage.images[%d].image.entries" % index)
            for i, entry in enumerate(entries):
                if entry["variant"]:
                    self.choose(index, i)
        self.assertGreater(warned, 0)
        self.assertEqual(self.js("return thrown"), [])

    def test_refused_files(self):
        big = os.path.join(self.work, "huge.d64")
        with open(big, "wb") as f:
            f.truncate(MAX_IMAGE_SIZE + 1)
        unknown = os.path.join(self.work, "notes.txt")
        with open(unknown, "wb") as f:
            f.write(b"shopping list\n")
        page_driver.open_page(self.driver, self.url + "index.html")
        page_driver.drop_files(self.driver, [big, unknown])
        messages = page_driver.wait_for(self.driver, """
          const p = document.querySelectorAll('#messages p.error');
          return p.length === 2 && Array.from(p, e => e.textContent);""")
        self.assertEqual(messages, [
            "huge.d64: larger than %d bytes, more than any disk or source image; not opened"
            % MAX_IMAGE_SIZE,
            "error: notes.txt is neither a disk or archive image nor a source image"])

    def test_single_file_from_disk(self):
        page_driver.open_page(self.driver, "file://" + os.path.join(SITE, "lorvex.html"))
        page_driver.network_requests(self.driver)
        page_driver.drop_files(self.driver, [EXAMPLE])
        page_driver.wait_for(self.driver, "return lorvexPage.images.length === 1")
        listings = native_listings(EXAMPLE, os.path.join(self.work, "single"))
        self.assertEqual(self.choose(0, 0), listings["hello.asm"].decode("utf-8"))
        self.assertEqual(page_driver.network_requests(self.driver), [])


if __name__ == "__main__":
    missing = page_driver.missing_tools()
    if missing:
        if os.environ.get("CI") == "true":
            sys.exit("page test: missing %s (install the Debian packages)" % ", ".join(missing))
        print("page test skipped: install the Debian packages %s" % ", ".join(missing))
        sys.exit(0)
    unittest.main(argv=sys.argv[:1], verbosity=2)
