"""Headless Chromium driving the page, for the browser test and the page
benchmark: the site served from a local port, files dropped on the page as
a user drops them, and reading what the page shows.

Needs Debian's chromium, chromium-driver and python3-selenium (run with
/usr/bin/python3). missing_tools() names the packages that are absent."""
import functools
import http.server
import os
import shutil
import tempfile
import threading


def missing_tools():
    missing = []
    if not shutil.which("chromium"):
        missing.append("chromium")
    if not shutil.which("chromedriver"):
        missing.append("chromium-driver")
    try:
        import selenium  # noqa: F401
    except ImportError:
        missing.append("python3-selenium")
    return missing


class QuietHandler(http.server.SimpleHTTPRequestHandler):
    extensions_map = {**http.server.SimpleHTTPRequestHandler.extensions_map,
                      ".wasm": "application/wasm", ".js": "text/javascript"}

    def log_message(self, *args):
        pass


def serve(directory):
    """Serves the directory on a free local port; returns (server, base URL)."""
    handler = functools.partial(QuietHandler, directory=directory)
    server = http.server.ThreadingHTTPServer(("127.0.0.1", 0), handler)
    threading.Thread(target=server.serve_forever, daemon=True).start()
    return server, "http://127.0.0.1:%d/" % server.server_address[1]


def start_browser(download_dir, width=1280, height=800):
    from selenium import webdriver
    from selenium.webdriver.chrome.service import Service

    options = webdriver.ChromeOptions()
    options.binary_location = shutil.which("chromium")
    profile = tempfile.mkdtemp(prefix="lorvex-chromium-")
    for flag in ["--headless=new", "--disable-gpu", "--disable-background-networking",
                 "--disable-component-update", "--disable-sync", "--no-first-run",
                 "--disable-default-apps", "--disable-dev-shm-usage",
                 "--user-data-dir=" + profile,
                 "--window-size=%d,%d" % (width, height)]:
        options.add_argument(flag)
    if os.geteuid() == 0:
        options.add_argument("--no-sandbox")
    options.add_experimental_option("prefs", {
        "download.default_directory": download_dir,
        "download.prompt_for_download": False,
    })
    options.set_capability("goog:loggingPrefs", {"performance": "ALL"})
    driver = webdriver.Chrome(service=Service(shutil.which("chromedriver")), options=options)
    driver.execute_cdp_cmd("Browser.setDownloadBehavior",
                           {"behavior": "allow", "downloadPath": download_dir})
    driver.profile_dir = profile
    return driver


def stop_browser(driver):
    driver.quit()
    shutil.rmtree(driver.profile_dir, ignore_errors=True)


def wait_for(driver, script, timeout=20, *args):
    """Waits until the script's value (given args) is truthy; returns it."""
    from selenium.webdriver.support.ui import WebDriverWait
    return WebDriverWait(driver, timeout, poll_frequency=0.02).until(
        lambda d: d.execute_script(script, *args))


def open_page(driver, url):
    driver.get(url)
    wait_for(driver, "return document.body.dataset.ready === 'true'")


# A drop as the browser delivers one: the files are picked through a file
# input the test adds (the only way a driver can hand files over), then
# given to the page in a drop event's DataTransfer.
_DROP = """
const input = document.getElementById('test-files');
const transfer = new DataTransfer();
for (const file of input.files) transfer.items.add(file);
document.dispatchEvent(new DragEvent('drop', {dataTransfer: transfer, bubbles: true, cancelable: true}));
"""


def drop_files(driver, paths):
    from selenium.webdriver.common.by import By
    driver.execute_script("""
      let input = document.getElementById('test-files');
      if (!input) {
        input = document.createElement('input');
        input.type = 'file';
        input.multiple = true;
        input.id = 'test-files';
        input.style.display = 'none';
        document.body.appendChild(input);
      }
      input.value = '';""")
    driver.find_element(By.ID, "test-files").send_keys("\n".join(os.path.abspath(p) for p in paths))
    driver.execute_script(_DROP)


def network_requests(driver):
    """URLs the browser asked for (not blob: or data:) since the last call,
    from its own log."""
    import json
    urls = []
    for entry in driver.get_log("performance"):
        message = json.loads(entry["message"])["message"]
        if message["method"] != "Network.requestWillBeSent":
            continue
        url = message["params"]["request"]["url"]
        if not url.startswith(("blob:", "data:")):
            urls.append(url)
    return urls
