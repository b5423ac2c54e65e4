"""Times the page in headless Chromium: from the drop of a full disk to its
directory laid out (every variant identified), and from choosing the
maximal image to its listing laid out, coloured and linked. Each round
loads the page afresh. Prints the medians and the worst, in milliseconds.
Usage: /usr/bin/python3 web_page_bench.py SITE_DIR FULL_D64 MAXIMAL_SRC [ROUNDS]"""
import os
import statistics
import sys

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "tests", "web"))
import page_driver  # noqa: E402


def main():
    site, full, maximal = sys.argv[1:4]
    rounds = int(sys.argv[4]) if len(sys.argv) > 4 else 21
    server, url = page_driver.serve(site)
    driver = page_driver.start_browser(os.path.abspath("."))
    directory, listing = [], []
    try:
        for _ in range(rounds):
            page_driver.open_page(driver, url + "index.html")
            page_driver.drop_files(driver, [full])
            directory.append(page_driver.wait_for(
                driver, "return lorvexPage.times.directory"))
            page_driver.drop_files(driver, [maximal])
            page_driver.wait_for(driver, "return lorvexPage.images.length === 2")
            driver.execute_script("lorvexPage.times = {}; location.hash = '#image=1&file=0'")
            listing.append(page_driver.wait_for(driver, "return lorvexPage.times.listing"))
    finally:
        page_driver.stop_browser(driver)
        server.shutdown()
    for name, values in (("full disk: drop to directory", directory),
                         ("maximal image: choice to listing", listing)):
        print("%s: median %.1f ms, worst %.1f ms (%d rounds)"
              % (name, statistics.median(values), max(values), len(values)))


if __name__ == "__main__":
    main()
