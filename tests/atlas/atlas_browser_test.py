#!/usr/bin/python3
"""The web atlas in a real browser: publishes maps made here with
`velmora-map publish`, opens the site in headless Chromium from file:// and
from a local HTTP server, and checks what a visitor sees and does: the map
area pixel for pixel against `velmora-map render`, the cell texts under the
pointer, the address, the search, the legend and the index page; then a map
committed several times to a scratch git repository, published with
--history: its versions against render of each, the slider, the list, the
outlines of a version's changes, when a cell last changed, and links to a
version. It prints the page's own timings and fails when they are too slow.

Usage: atlas_browser_test.py VELMORA_MAP [--save-screenshot PNG]
                             [--save-history-screenshot PNG]
Exit status 77 (skipped) when Chromium, its driver, Selenium or git is missing.
"""
import argparse
import array
import datetime
import functools
import http.server
import io
import os
import shutil
import struct
import subprocess
import sys
import tempfile
import threading
import urllib.parse

CHROMIUM = "/usr/bin/chromium"
CHROMEDRIVER = "/usr/bin/chromedriver"
GIT = "/usr/bin/git"
SKIPPED = 77

try:
    from selenium import webdriver
    from selenium.common.exceptions import TimeoutException
    from selenium.webdriver.chrome.service import Service
    from selenium.webdriver.common.actions.action_builder import ActionBuilder
    from selenium.webdriver.common.by import By
    from selenium.webdriver.common.keys import Keys
    from selenium.webdriver.support.ui import WebDriverWait
except ImportError:
    print("skipped: python3-selenium is not installed")
    sys.exit(SKIPPED)
from PIL import Image, ImageChops

SIDE = 999
STEPS = [1, 2, 5, 10, 20, 40, 80, 160]
WINDOW = (1280, 860)
# The page's own limits, in milliseconds.
FIRST_VIEW_LIMIT = 1000
TILE_DRAW_LIMIT = 2
SEARCH_LIMIT = 50
VERSION_SWITCH_LIMIT = 100
TITLE = "Rooms & Ruins"

# Dungeon codes the maps below use.
OPEN, WALL, WATER, CRAWL_ACROSS, ROCK, DOOR, STAIRS_UP, STAIRS_DOWN, CHEST, BED, COURTYARD = (
    1, 2, 3, 5, 10, 12, 13, 14, 15, 17, 21)
# The four corners of a Tentacular Cluster, which share its name.
TENTACLES = (24, 25, 26, 27)
# The first of the damaged map's rows of codes that name no tile, each cell
# its own code; so many distinct codes make the site store 32-bit cells.
BAND_TOP, BAND_ROWS, BAND_BASE = 100, 100, 100000


class Grid:
    """A map's cells, written as a .map file: the codes row by row, then the
    tile set and the version 0.4.320 unless the file is to be cut short."""

    def __init__(self, fill=0):
        self.cells = array.array("i", [fill]) * (SIDE * SIDE)

    def put(self, x, y, code):
        self.cells[y * SIDE + x] = code

    def block(self, x0, y0, x1, y1, code):
        for y in range(y0, y1 + 1):
            self.cells[y * SIDE + x0:y * SIDE + x1 + 1] = array.array("i", [code]) * (x1 - x0 + 1)

    def room(self, x0, y0, x1, y1, floor=OPEN):
        self.block(x0, y0, x1, y1, WALL)
        self.block(x0 + 1, y0 + 1, x1 - 1, y1 - 1, floor)

    def write(self, path, tile_set, cells=SIDE * SIDE):
        with open(path, "wb") as out:
            out.write(self.cells[:cells].tobytes())
            if cells == SIDE * SIDE:
                out.write(struct.pack("<4i", tile_set, 0, 4, 320))

    def code(self, x, y):
        return self.cells[y * SIDE + x]


def castle():
    """Three rooms cut into rock around (510, 487), joined by doors and a
    crawlspace, with water, stairs, a bed and chests."""
    grid = Grid()
    grid.block(488, 468, 540, 506, ROCK)
    grid.room(495, 475, 515, 492)
    grid.room(518, 478, 535, 500, COURTYARD)
    grid.room(497, 494, 512, 503, WATER)
    for x, y, code in [(515, 485, DOOR), (516, 485, CRAWL_ACROSS), (517, 485, CRAWL_ACROSS),
                       (518, 485, DOOR), (505, 492, DOOR), (505, 493, OPEN), (505, 494, DOOR),
                       (498, 477, STAIRS_UP), (512, 477, STAIRS_DOWN), (503, 490, BED),
                       (500, 480, CHEST), (510, 487, CHEST), (505, 489, CHEST),
                       (530, 490, CHEST), (525, 495, CHEST)]:
        grid.put(x, y, code)
    return grid


def damaged():
    """Open land with codes that name no tile: 151 and -7 alone and a band of
    99,900 distinct ones, and a tentacular cluster; the file stops before the
    last row and its tile set."""
    grid = Grid(OPEN)
    grid.put(0, 0, ROCK)
    for dx, dy, code in zip((0, 1, 0, 1), (0, 0, 1, 1), TENTACLES):
        grid.put(700 + dx, 700 + dy, code)
    grid.put(998, 0, 151)
    grid.put(498, 500, -7)
    first = BAND_TOP * SIDE
    grid.cells[first:first + BAND_ROWS * SIDE] = array.array(
        "i", range(BAND_BASE + first, BAND_BASE + first + BAND_ROWS * SIDE))
    return grid


def port():
    """A starport block, and 300 distinct codes along the top row, so that the
    site stores two bytes a cell."""
    grid = Grid()
    grid.block(470, 480, 530, 520, 1)
    grid.block(480, 490, 520, 510, 5)
    grid.cells[0:300] = array.array("i", range(1000, 1300))
    return grid


ANN = "Ann Maker <ann@example.org>"
BO = "Bo Reeve <bo@example.org>"
# The castle's versions as the scratch repository holds them, oldest first:
# subject, author, date, the blocks painted over the version before
# (x0, y0, x1, y1, code), the tile set stored and the rows the file holds.
# The fourth is cut short through the castle and so stores no tile set; the
# fifth is whole again. The last is left uncommitted, dated by the file.
HISTORY = [
    ("Cut the castle into the rock", ANN, "2026-11-02T09:15:00+01:00", [], 0, SIDE),
    ("Flood the courtyard's corner", BO, "2026-11-05T14:40:00+01:00",
     [(519, 495, 522, 498, WATER), (520, 480, 520, 480, CHEST)], 0, SIDE),
    ("Draw the castle as a starport", ANN, "2026-11-09T10:00:00+01:00",
     [(510, 487, 510, 487, BED)], 4, SIDE),
    ("Save while the disk was full", BO, "2026-11-12T11:30:00+01:00", [], 4, 490),
    ("Mend the castle", ANN, "2026-11-20T16:05:00+01:00", [], 0, SIDE),
    (None, None, "2026-12-01T08:00:00+00:00", [(505, 489, 505, 489, OPEN)], 0, SIDE),
]


class Failures:
    def __init__(self):
        self.passed = 0
        self.failed = []

    def expect(self, ok, what, detail=""):
        if ok:
            self.passed += 1
        else:
            self.failed.append(what)
            print(f"FAILED: {what}" + (f"\n  {detail}" if detail else ""), flush=True)
        return ok


class Browser:
    """Headless Chromium with the page's helpers."""

    def __init__(self, profile):
        options = webdriver.ChromeOptions()
        options.binary_location = CHROMIUM
        for argument in ["--headless=new", "--no-sandbox", "--disable-gpu",
                         "--disable-dev-shm-usage", "--force-device-scale-factor=1",
                         "--disable-background-networking", "--disable-component-update",
                         "--disable-sync", "--no-first-run", f"--user-data-dir={profile}",
                         f"--window-size={WINDOW[0]},{WINDOW[1]}"]:
            options.add_argument(argument)
        options.set_capability("goog:loggingPrefs", {"browser": "ALL"})
        self.driver = webdriver.Chrome(service=Service(CHROMEDRIVER), options=options)
        self.wait = WebDriverWait(self.driver, 15, poll_frequency=0.05)

    def quit(self):
        self.driver.quit()

    def js(self, script, *arguments):
        return self.driver.execute_script(script, *arguments)

    def severe_messages(self):
        return [entry["message"] for entry in self.driver.get_log("browser")
                if entry["level"] == "SEVERE"]

    def wait_drawn(self):
        """Until every canvas tile of the view is drawn and on screen."""
        self.wait.until(lambda _: self.js(
            "const a = window.VelmoraAtlas;"
            "return !!(a && a.ready && !a.cellLayer.isLoading());"))
        self.driver.execute_async_script(
            "const done = arguments[0];"
            "requestAnimationFrame(() => requestAnimationFrame(() => done()));")

    def open(self, url):
        self.driver.get(url)
        self.wait_drawn()

    def view(self):
        """(x, y, step): the cell in the middle of the map area and the zoom step."""
        return tuple(self.js(
            "const m = VelmoraAtlas.leafletMap, c = m.getCenter();"
            "return [Math.floor(c.lng), Math.floor(c.lat), VelmoraAtlas.zoomSteps.stepOfZoom(m.getZoom())];"))

    def hash_place(self):
        fields = urllib.parse.parse_qs(self.js("return location.hash").lstrip("#"))
        return tuple(int(fields[key][0]) for key in ("x", "y", "cell"))

    def go(self, x, y, step, hash_step=None):
        """Types an address into the hash and waits for the view to follow."""
        self.js("location.hash = arguments[0]", f"#x={x}&y={y}&cell={hash_step or step}")
        wait_for(self, lambda: self.view() == (x, y, step))
        self.wait_drawn()

    def cell_corner(self, x, y):
        """Viewport pixel of the top-left corner of cell (x, y), and the map
        area's rectangle (left, top, width, height)."""
        return self.js(
            "const m = VelmoraAtlas.leafletMap, p = m.latLngToContainerPoint([arguments[1], arguments[0]]);"
            "const r = m.getContainer().getBoundingClientRect();"
            "return [r.left + p.x, r.top + p.y, [r.left, r.top, r.width, r.height]];", x, y)

    def point_at(self, x, y):
        actions = ActionBuilder(self.driver, duration=0)
        actions.pointer_action.move_to_location(int(x), int(y))
        actions.perform()

    def drag(self, x, y, dx, dy):
        # Leaflet moves the map on the frame after a pointer move; the pauses
        # let those frames come before the button is let go.
        actions = ActionBuilder(self.driver)
        actions.pointer_action.move_to_location(int(x), int(y)).pointer_down() \
            .move_to_location(int(x + dx / 2), int(y + dy / 2)).pause(0.1) \
            .move_to_location(int(x + dx), int(y + dy)).pause(0.1).pointer_up()
        actions.perform()

    def point_off_map(self):
        # The panel's corner is on screen however far the panel is scrolled.
        panel = self.driver.find_element(By.ID, "atlas-panel").rect
        self.point_at(panel["x"] + 5, panel["y"] + 5)

    def cell_texts(self):
        return self.js(
            "return [...document.querySelectorAll('#cell-info dd')].map(e => e.textContent);")

    def screenshot(self):
        return Image.open(io.BytesIO(self.driver.get_screenshot_as_png())).convert("RGB")


def wait_for(browser, condition):
    """Whether `condition` comes true within the browser's waiting time."""
    try:
        browser.wait.until(lambda _: condition())
        return True
    except TimeoutException:
        return False


def render(velmora_map, map_path, step, region, work):
    out = os.path.join(work, "render.png")
    style = "overview" if step < 20 else "tiles"
    subprocess.run([velmora_map, "render", "--style", style, "--cell", str(step),
                    "--region", ",".join(map(str, region)), map_path, out], check=True,
                   stderr=subprocess.DEVNULL)
    return Image.open(out).convert("RGB")


def check_pixels(browser, failures, velmora_map, map_path, x, y, step, work):
    """The whole cells in the map area against render of the same cells."""
    browser.go(x, y, step)
    # Leaflet's controls lie over the map; they are no part of the drawing.
    browser.js("document.querySelector('.leaflet-control-container').style.visibility = 'hidden'")
    corner_x, corner_y, (left, top, width, height) = browser.cell_corner(x, y)
    shot = browser.screenshot()
    browser.js("document.querySelector('.leaflet-control-container').style.visibility = ''")
    first_x = max(x - int((corner_x - left) // step), 0)
    first_y = max(y - int((corner_y - top) // step), 0)
    last_x = min(x + int((left + width - corner_x) // step) - 1, SIDE - 1)
    last_y = min(y + int((top + height - corner_y) // step) - 1, SIDE - 1)
    region = (first_x, first_y, last_x - first_x + 1, last_y - first_y + 1)
    box_left = int(corner_x - (x - first_x) * step)
    box_top = int(corner_y - (y - first_y) * step)
    seen = shot.crop((box_left, box_top, box_left + region[2] * step, box_top + region[3] * step))
    expected = render(velmora_map, map_path, step, region, work)
    difference = ImageChops.difference(seen, expected).getbbox()
    name = os.path.basename(map_path)
    if not failures.expect(difference is None, f"{name} at {step} px per cell equals render",
                           f"cells {region}, first differing pixels in {difference}"):
        seen.save(os.path.join(work, f"seen-{step}.png"))


class Version:
    """One version of the castle: its cells as the editor loads them (the
    rows a file cut short leaves out are 0), a map file of exactly its bytes
    to render, and its commit as the page names it and in full ("worktree"
    for the uncommitted one)."""

    def __init__(self, grid, rows, path):
        self.cells = grid.cells[:rows * SIDE] + array.array("i", [0]) * ((SIDE - rows) * SIDE)
        self.path = path
        self.short = self.full = "worktree"


def history_repository(work):
    """Commits the castle's versions to a scratch repository, git run with
    nothing of the machine's or the user's setup, and leaves the last one
    uncommitted. Returns the map's path, the environment to run publish in
    and the versions, oldest first."""
    folder = os.path.join(work, "repository")
    os.mkdir(folder)
    environment = {"HOME": folder, "GIT_CONFIG_NOSYSTEM": "1", "PATH": "/usr/bin:/bin", "LC_ALL": "C"}
    git = lambda *arguments, **extra: subprocess.run(
        [GIT, *arguments], cwd=folder, env={**environment, **extra}, check=True,
        capture_output=True, text=True).stdout
    git("init", "--quiet")
    for key, value in [("user.name", "Test Runner"), ("user.email", "runner@example.org"),
                       ("core.hooksPath", "/dev/null"), ("commit.gpgSign", "false")]:
        git("config", key, value)
    path = os.path.join(folder, "castle.map")
    grid = castle()
    versions = []
    for number, (subject, author, date, blocks, tile_set, rows) in enumerate(HISTORY):
        for block in blocks:
            grid.block(*block)
        grid.write(path, tile_set, cells=rows * SIDE)
        versions.append(Version(grid, rows, os.path.join(work, f"version-{number}.map")))
        shutil.copyfile(path, versions[-1].path)
        if subject is None:
            stamp = datetime.datetime.fromisoformat(date).timestamp()
            os.utime(path, (stamp, stamp))
        else:
            git("add", "castle.map")
            git("commit", "--quiet", f"--author={author}", "-m", subject,
                GIT_AUTHOR_DATE=date, GIT_COMMITTER_DATE=date)
    # The uncommitted version has no line and keeps "worktree".
    commits = git("log", "--reverse", "--format=%h %H", "--", "castle.map").splitlines()
    for version, line in zip(versions, commits):
        version.short, version.full = line.split()
    return path, environment, versions


def branch_repository(work, velmora_map):
    """The castle on two branches merged by velmora-map's merge driver: the
    side branch puts a chest at (600, 600) and a bed at (610, 600), main a
    door at (620, 600) and stairs at (610, 600); the merge stops on that
    cell and is resolved with the side's bed. Returns the map's path, the
    environment and the short commits by subject."""
    folder = os.path.join(work, "branches")
    os.mkdir(folder)
    environment = {"HOME": folder, "GIT_CONFIG_NOSYSTEM": "1", "PATH": "/usr/bin:/bin", "LC_ALL": "C"}
    run = lambda *command, check=True: subprocess.run(
        command, cwd=folder, env=environment, check=check, capture_output=True, text=True).stdout
    git = lambda *arguments, check=True: run(GIT, *arguments, check=check)
    git("init", "--quiet", "-b", "main")
    for key, value in [("user.name", "Test Runner"), ("user.email", "runner@example.org"),
                       ("core.hooksPath", "/dev/null"), ("commit.gpgSign", "false")]:
        git("config", key, value)
    velmora_map = os.path.abspath(velmora_map)
    run(velmora_map, "setup-git")
    path = os.path.join(folder, "castle.map")
    grid = castle()
    commit = lambda subject, author: git("commit", "--quiet", "-a", f"--author={author}", "-m", subject)
    grid.write(path, 0)
    git("add", "castle.map")
    commit("Start", ANN)
    git("checkout", "--quiet", "-b", "side")
    side = castle()
    side.put(600, 600, CHEST)
    side.put(610, 600, BED)
    side.write(path, 0)
    commit("Side: chest and bed", BO)
    git("checkout", "--quiet", "main")
    grid.put(620, 600, DOOR)
    grid.put(610, 600, STAIRS_UP)
    grid.write(path, 0)
    commit("Main: door and stairs", ANN)
    git("merge", "--quiet", "side", check=False)
    run(velmora_map, "resolve", "--theirs", "castle.map")
    commit("Merge the side", ANN)
    commits = dict(line.split(" ", 1)[::-1] for line in git("log", "--format=%h %s").splitlines())
    return path, environment, commits


def check_branches(browser, failures, site, commits):
    """A cell's last change on a history with branches names the commit that
    put its code there: the branch's or main's, never the other's, and the
    merge for the cell whose conflict it resolved."""
    browser.open(page_url("file://" + urllib.parse.quote(site), "castle"))
    for x, y, subject in [(600, 600, "Side: chest and bed"), (620, 600, "Main: door and stairs"),
                          (610, 600, "Merge the side")]:
        browser.go(x, y, 40)
        corner_x, corner_y, _ = browser.cell_corner(x, y)
        browser.point_at(corner_x + 20, corner_y + 20)
        seen = browser.js("return document.querySelector('#cell-change [data-text=\"commit\"]')"
                          ".textContent")
        failures.expect(seen == commits[subject], f"the last change of ({x}, {y}) is '{subject}'",
                        f"{seen} != {commits[subject]}")
    merge = browser.js("return [...document.querySelectorAll('#version-list .version-merged')]"
                       ".map(e => e.textContent)")
    failures.expect(merge == [f"Merge of {commits['Main: door and stairs']} and "
                              f"{commits['Side: chest and bed']}"],
                    "the list shows the merge as a merge of its parents", str(merge))


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("velmora_map")
    parser.add_argument("--save-screenshot", help="where to save a picture of a map page")
    parser.add_argument("--save-history-screenshot",
                        help="where to save a picture of a map page showing a version")
    options = parser.parse_args()
    missing = [path for path in (CHROMIUM, CHROMEDRIVER, GIT) if not os.access(path, os.X_OK)]
    if missing:
        print(f"skipped: {', '.join(missing)} not installed")
        return SKIPPED

    failures = Failures()
    with tempfile.TemporaryDirectory(prefix="atlas-test-") as work:
        maps = {"castle": castle(), "damaged": damaged(), "Palloran port": port()}
        paths = {name: os.path.join(work, f"{name}.map") for name in maps}
        maps["castle"].write(paths["castle"], 0)
        maps["damaged"].write(paths["damaged"], 0, cells=SIDE * (SIDE - 1))
        maps["Palloran port"].write(paths["Palloran port"], 4)
        # The cut-off row reads as code 0.
        maps["damaged"].block(0, SIDE - 1, SIDE - 1, SIDE - 1, 0)
        site = os.path.join(work, "site")
        subprocess.run([options.velmora_map, "publish", "--title", TITLE,
                        *paths.values(), site], check=True)
        history_map, environment, versions = history_repository(work)
        history_site = os.path.join(work, "history-site")
        subprocess.run([options.velmora_map, "publish", "--history", history_map, history_site],
                       check=True, env=environment)
        branch_map, branch_environment, branch_commits = branch_repository(work, options.velmora_map)
        branch_site = os.path.join(work, "branch-site")
        subprocess.run([options.velmora_map, "publish", "--history", branch_map, branch_site],
                       check=True, env=branch_environment)

        browser = Browser(os.path.join(work, "profile"))
        try:
            figures = run_checks(browser, failures, options, maps, paths, site, work)
            figures.update(check_history(browser, failures, options, history_site, versions, work))
            check_branches(browser, failures, branch_site, branch_commits)
        finally:
            browser.quit()

    print(f"first full view drawn from file://: {figures['first view']:.0f} ms "
          f"(limit {FIRST_VIEW_LIMIT} ms)")
    for step, median in sorted(figures["tile draws"].items()):
        print(f"median canvas tile draw at {step:>3} px per cell: {median:.2f} ms "
              f"(limit {TILE_DRAW_LIMIT} ms)")
    print(f"search over all {SIDE * SIDE:,} cells: {figures['search']:.1f} ms "
          f"(limit {SEARCH_LIMIT} ms)")
    failures.expect(figures["first view"] < FIRST_VIEW_LIMIT, "first view in time")
    for step, median in sorted(figures["tile draws"].items()):
        failures.expect(median < TILE_DRAW_LIMIT, f"tiles at {step} px per cell drawn in time")
    failures.expect(figures["search"] < SEARCH_LIMIT, "search in time")
    print(f"version switch, slowest of {len(figures['switches'])}, from the choice to the last "
          f"tile on screen: {max(figures['switches']):.1f} ms (limit {VERSION_SWITCH_LIMIT} ms)")
    in_time = sum(text_by_then for _, text_by_then in figures["last change"])
    print(f"pointer move to the first frame after it, slowest: "
          f"{max(ms for ms, _ in figures['last change']):.1f} ms; the last-change text was in that "
          f"frame {in_time} times of {len(figures['last change'])}")
    failures.expect(max(figures["switches"]) < VERSION_SWITCH_LIMIT, "versions switched in time")
    print(f"{failures.passed} passed, {len(failures.failed)} failed")
    return 1 if failures.failed else 0


def page_url(base, name, hash_text=""):
    return f"{base}/maps/{urllib.parse.quote(name)}.html{hash_text}"


def run_checks(browser, failures, options, maps, paths, site, work):
    base = "file://" + urllib.parse.quote(site)
    figures = {}

    # The first map page after the index, as a visitor comes to it.
    browser.driver.get(base + "/index.html")
    browser.open(page_url(base, "castle"))
    figures["first view"] = browser.js("return VelmoraAtlas.stats.firstViewMs")
    # The castle's cells that are not 0, in the middle at the largest step
    # at which they fit.
    left, top, width, height = browser.cell_corner(0, 0)[2]
    drawn = [(i % SIDE, i // SIDE) for i, code in enumerate(maps["castle"].cells) if code]
    x0, x1 = min(x for x, _ in drawn), max(x for x, _ in drawn)
    y0, y1 = min(y for _, y in drawn), max(y for _, y in drawn)
    fitting = max([s for s in STEPS if (x1 - x0 + 1) * s <= width and (y1 - y0 + 1) * s <= height],
                  default=1)
    failures.expect(browser.hash_place() == ((x0 + x1) // 2, (y0 + y1) // 2, fitting),
                    "without an address the drawn cells at the largest step that fits them",
                    str(browser.hash_place()))

    # Every step, so the draw times cover each.
    for step in STEPS:
        check_pixels(browser, failures, options.velmora_map, paths["castle"], 510, 487, step, work)
    figures["tile draws"] = {int(step): median for step, median in browser.js(
        "return VelmoraAtlas.stats.medianTileDrawMs()").items()}

    check_texts(browser, failures, base, maps)
    figures["search"] = check_search(browser, failures, base, maps)
    check_address(browser, failures)
    check_keyboard(browser, failures, base)
    check_legend_and_warnings(browser, failures, base, maps)
    check_shared_names(browser, failures, base)

    browser.open(page_url(base, "damaged"))
    check_pixels(browser, failures, options.velmora_map, paths["damaged"], 499, BAND_TOP + 20, 2, work)
    browser.open(page_url(base, "Palloran port"))
    check_pixels(browser, failures, options.velmora_map, paths["Palloran port"], 150, 10, 10, work)
    check_narrow(browser, failures, ["Panel", "1 warning"])
    failures.expect(not browser.severe_messages(), "no console errors from file://",
                    "\n  ".join(browser.severe_messages()))

    check_index(browser, failures, base, maps)

    handler = functools.partial(QuietHandler, directory=site)
    with http.server.ThreadingHTTPServer(("127.0.0.1", 0), handler) as server:
        threading.Thread(target=server.serve_forever, daemon=True).start()
        check_index(browser, failures, f"http://127.0.0.1:{server.server_address[1]}", maps)
        server.shutdown()

    if options.save_screenshot:
        save_screenshot(browser, base, options.save_screenshot)
    return figures


class QuietHandler(http.server.SimpleHTTPRequestHandler):
    def log_message(self, *arguments):
        pass


# The seven texts of the information panel for cells of the maps above.
HOVERS = [
    ("damaged", 0, 0, ["Solid rock", "Imp", "0", "0", "0", "(0, 0)", "499N, 499W"]),
    ("damaged", 998, 0, ["No tile (code 151)", "", "", "", "", "(998, 0)", "499N, 499E"]),
    ("damaged", 0, 998, ["Unknown", "-", "0", "0", "0", "(0, 998)", "499S, 499W"]),
    ("damaged", 998, 998, ["Unknown", "-", "0", "0", "0", "(998, 998)", "499S, 499E"]),
    ("damaged", 499, 499, ["Open", "1", "0", "0", "0", "(499, 499)", "0N, 0E"]),
    ("damaged", 498, 500, ["No tile (code -7)", "", "", "", "", "(498, 500)", "1S, 1W"]),
    ("damaged", 500, 498, ["Open", "1", "0", "0", "0", "(500, 498)", "1N, 1E"]),
    ("damaged", 10, 150, [f"No tile (code {BAND_BASE + 150 * SIDE + 10})", "", "", "", "",
                          "(10, 150)", "349N, 489W"]),
    ("castle", 510, 487, ["Chest", "?", "?", "?", "?", "(510, 487)", "12N, 11E"]),
    ("Palloran port", 150, 0, ["No tile (code 1150)", "", "", "", "", "(150, 0)", "499N, 349W"]),
]


def check_texts(browser, failures, base, maps):
    """The pointer over a cell shows its texts; off the map they are emptied."""
    page = None
    for name, x, y, texts in HOVERS:
        if name != page:
            browser.open(page_url(base, name))
            page = name
        browser.go(x, y, 40)
        corner_x, corner_y, _ = browser.cell_corner(x, y)
        browser.point_at(corner_x + 20, corner_y + 20)
        failures.expect(browser.cell_texts() == texts, f"texts of ({x}, {y}) in {name}",
                        f"{browser.cell_texts()} != {texts}")
        browser.point_off_map()
        failures.expect(browser.cell_texts() == [""] * 7, "texts emptied off the map",
                        str(browser.cell_texts()))


def cells_of(grid, code):
    return [(i % SIDE, i // SIDE) for i, value in enumerate(grid.cells) if value == code]


def check_search(browser, failures, base, maps):
    castle_grid = maps["castle"]
    count = lambda *codes: sum(castle_grid.cells.count(code) for code in codes)
    browser.open(page_url(base, "castle", "#x=510&y=487&cell=20"))
    search_input = browser.driver.find_element(By.ID, "search-input")
    count_text = lambda: browser.driver.find_element(By.ID, "search-count").text
    for query, text in [("chest", f"Chest: {count(CHEST)} cells"),
                        (str(CHEST), f"Chest: {count(CHEST)} cells"),
                        ("Stairs up", "Stairs Up: 1 cell"),
                        ("crawlspace", f"crawlspace: {count(4, 5, 6)} cells"),
                        ("nothing such", "nothing such: 0 cells"),
                        ("UNKNOWN", f"Unknown: {count(0):,} cells")]:
        search_input.clear()
        search_input.send_keys(query, Keys.ENTER)
        failures.expect(count_text() == text, f"search for {query!r} counts", count_text())
    search_time = browser.js("return VelmoraAtlas.stats.lastSearchMs")

    chests = cells_of(castle_grid, CHEST)
    search_input.clear()
    search_input.send_keys("chest", Keys.ENTER)
    for press, index in [(lambda: search_input.send_keys(Keys.ENTER), 0),
                         (lambda: search_input.send_keys(Keys.ENTER), 1),
                         (lambda: browser.driver.find_element(By.ID, "search-next").click(), 2),
                         (lambda: browser.driver.find_element(By.ID, "search-previous").click(), 1),
                         (lambda: browser.driver.find_element(By.ID, "search-previous").click(), 0),
                         (lambda: browser.driver.find_element(By.ID, "search-previous").click(), -1)]:
        press()
        expected = chests[index] + (20,)
        failures.expect(wait_for(browser, lambda: browser.hash_place() == expected),
                        f"search step to chest {index} centres it",
                        f"{browser.hash_place()} != {expected}")
    return search_time


def check_address(browser, failures):
    """The address follows panning and zooming, a typed one moves the view,
    and reloading it shows the same place."""
    before = browser.hash_place()
    corner_x, corner_y, _ = browser.cell_corner(*before[:2])
    # Dragging the map up and left shows cells further east and south.
    browser.drag(corner_x, corner_y, -200, -120)
    browser.wait_drawn()
    dragged = browser.hash_place()
    failures.expect(dragged[0] > before[0] and dragged[1] > before[1] and dragged[2] == before[2],
                    "dragging moves the address", f"{before} -> {dragged}")
    browser.driver.find_element(By.CSS_SELECTOR, ".leaflet-control-zoom-in").click()
    failures.expect(wait_for(browser, lambda: browser.hash_place()[2] == 40),
                    "zooming in moves the address")

    browser.go(120, 340, 40, hash_step=35)
    failures.expect(browser.hash_place() == (120, 340, 40),
                    "a typed address moves the view to the nearest step", str(browser.hash_place()))
    browser.driver.refresh()
    browser.wait_drawn()
    failures.expect(browser.view() == (120, 340, 40) and browser.hash_place() == (120, 340, 40),
                    "a reloaded address shows the same place", str(browser.view()))


# Keys as the browser sends them, for Input.dispatchKeyEvent: key, code,
# Windows key code, text.
PLUS = ("+", "Equal", 187, "+")
MINUS = ("_", "Minus", 189, "_")
ENTER = ("Enter", "Enter", 13, "\r")


def press_with_shift(browser, key):
    name, code, key_code, text = key
    for kind in ("keyDown", "keyUp"):
        browser.driver.execute_cdp_cmd("Input.dispatchKeyEvent", {
            "type": kind, "modifiers": 8, "key": name, "code": code,
            "windowsVirtualKeyCode": key_code, **({"text": text} if kind == "keyDown" else {})})


def check_keyboard(browser, failures, base):
    """Tab gives the map area and then its zoom-in button a visible focus
    ring; Shift with a zoom key or the button zooms one step, not three."""
    browser.open(page_url(base, "castle", "#x=510&y=487&cell=5"))
    # The accent colour of the ring, inside the map area's left edge and
    # just left of the focused button.
    def ring():
        focused, x, y = browser.js(
            "const e = document.activeElement, r = e.getBoundingClientRect();"
            "return [e.id || e.className, e.id ? r.left + 1 : r.left - 2, r.top + r.height / 2];")
        return focused, browser.screenshot().getpixel((int(x), int(y)))
    accent = (0x24, 0x56, 0xc9)
    tab = lambda: webdriver.ActionChains(browser.driver).send_keys(Keys.TAB).perform()
    tab()
    focused, pixel = ring()
    failures.expect(focused == "atlas-map" and pixel == accent, "the focused map area shows a focus ring",
                    f"{focused} {pixel}")
    for key, step in [(PLUS, 10), (PLUS, 20), (MINUS, 10)]:
        before = browser.view()[2]
        press_with_shift(browser, key)
        wait_for(browser, lambda: browser.view()[2] != before)
        browser.wait_drawn()
        failures.expect(browser.view()[2] == step, f"Shift+{key[0]} on the map zooms one step to {step}",
                        str(browser.view()))
    tab()
    focused, pixel = ring()
    failures.expect("zoom-in" in focused and pixel == accent, "the focused zoom button shows a focus ring",
                    f"{focused} {pixel}")
    press_with_shift(browser, ENTER)
    wait_for(browser, lambda: browser.view()[2] != 10)
    browser.wait_drawn()
    failures.expect(browser.view()[2] == 20, "Shift+Enter on the zoom button zooms one step",
                    str(browser.view()))


def check_legend_and_warnings(browser, failures, base, maps):
    counts = {}
    for code in maps["castle"].cells:
        counts[code] = counts.get(code, 0) + 1
    order = [code for code, _ in sorted(counts.items(), key=lambda item: (-item[1], item[0]))]
    entries = browser.driver.find_elements(By.CSS_SELECTOR, "#legend .legend-entry")
    failures.expect([int(e.get_attribute("data-code")) for e in entries] == order,
                    "legend lists the codes most used first")
    chest = browser.driver.find_element(By.CSS_SELECTOR, f'#legend [data-code="{CHEST}"]')
    chest.location_once_scrolled_into_view
    chest.click()
    failures.expect(browser.driver.find_element(By.ID, "search-count").text ==
                    f"Chest: {counts[CHEST]} cells", "a legend entry searches for its tile")
    failures.expect(not browser.driver.find_element(By.ID, "warnings").is_displayed(),
                    "no warnings for a sound map")
    failures.expect(not browser.driver.find_element(By.ID, "history").is_displayed() and
                    not browser.driver.find_element(By.ID, "cell-change").is_displayed(),
                    "no versions for a map published without history")
    browser.open(page_url(base, "damaged"))
    failures.expect(browser.driver.find_element(By.ID, "warnings").is_displayed(),
                    "warnings shown for a damaged map")
    # Of the damaged map's codes that name no tile (151, -7 and the band's,
    # one cell each) the legend shows ten and counts the rest exactly; the
    # search finds the rarest by code and by name.
    rest = BAND_ROWS * SIDE + 2 - 10
    failures.expect(browser.driver.find_element(By.CSS_SELECTOR, "#legend .legend-rest").text ==
                    f"and {rest:,} more codes that name no tile, in {rest:,} cells",
                    "the legend counts every code it leaves out",
                    browser.driver.find_element(By.CSS_SELECTOR, "#legend .legend-rest").text)
    rare = BAND_BASE + (BAND_TOP + BAND_ROWS) * SIDE - 1
    search_input = browser.driver.find_element(By.ID, "search-input")
    for query in [str(rare), f"(code {rare})"]:
        search_input.clear()
        search_input.send_keys(query, Keys.ENTER)
        failures.expect(browser.driver.find_element(By.ID, "search-count").text ==
                        f"No tile (code {rare}): 1 cell", f"search for the rare {query!r} counts it",
                        browser.driver.find_element(By.ID, "search-count").text)


def check_shared_names(browser, failures, base):
    """The four codes of one name each show their code in the legend; a
    name of its own does not."""
    browser.open(page_url(base, "damaged"))
    names = dict(browser.js("return [...document.querySelectorAll('#legend .legend-entry')].map(e =>"
                            "  [e.dataset.code, e.querySelector('.legend-name').textContent])"))
    expected = {**{str(code): f"Tentacular Cluster (code {code})" for code in TENTACLES},
                str(ROCK): "Solid rock"}
    failures.expect(all(names.get(code) == name for code, name in expected.items()),
                    "the legend tells apart the codes that share a name", str(names))


def check_narrow(browser, failures, folded_texts):
    """On a narrow screen the panel is folded away until the toggle opens it;
    folded, the toggle shows `folded_texts` (the version shown, the number
    of warnings), open only "Close"."""
    browser.driver.execute_cdp_cmd("Emulation.setDeviceMetricsOverride", {
        "width": 400, "height": 700, "deviceScaleFactor": 1, "mobile": True})
    in_view = lambda: browser.js(
        "const r = document.getElementById('atlas-panel').getBoundingClientRect();"
        "return r.left < innerWidth && r.right > 0;")
    toggle_texts = lambda: browser.js(
        "return [...document.getElementById('panel-toggle').children]"
        "  .filter(e => e.getClientRects().length).map(e => e.textContent);")
    # The panel slides away and back in a short transition.
    folded = wait_for(browser, lambda: not in_view())
    failures.expect(toggle_texts() == folded_texts, f"the folded panel's button says {folded_texts}",
                    str(toggle_texts()))
    browser.driver.find_element(By.ID, "panel-toggle").click()
    failures.expect(folded and wait_for(browser, in_view), "the panel folds away on a narrow screen")
    failures.expect(toggle_texts() == ["Close"], "the open panel's button says Close", str(toggle_texts()))
    browser.driver.execute_cdp_cmd("Emulation.clearDeviceMetricsOverride", {})


def check_index(browser, failures, base, maps):
    """The index lists every map and each link opens its page, without errors."""
    browser.driver.get(base + "/index.html")
    failures.expect(browser.driver.find_element(By.TAG_NAME, "h1").text == TITLE,
                    f"the index at {base[:4]} bears the title")
    names = [e.text for e in browser.driver.find_elements(By.CSS_SELECTOR, ".atlas-entry .atlas-name")]
    failures.expect(sorted(names) == sorted(maps), f"the index at {base[:4]} lists every map",
                    str(names))
    failures.expect(browser.js("return [...document.images].every(i => i.complete && i.naturalWidth > 0)"),
                    f"the index at {base[:4]} shows every thumbnail")
    for index in range(len(names)):
        link = browser.driver.find_elements(By.CSS_SELECTOR, ".atlas-entry a")[index]
        name = link.find_element(By.CSS_SELECTOR, ".atlas-name").text
        link.click()
        browser.wait_drawn()
        failures.expect(browser.driver.find_element(By.CSS_SELECTOR, ".map-name").text == name and
                        browser.driver.title == f"{name} – {TITLE}",
                        f"the index at {base[:4]} opens {name}", browser.driver.title)
        browser.driver.back()
    failures.expect(not browser.severe_messages(), f"no console errors from {base[:4]}",
                    "\n  ".join(browser.severe_messages()))


# How the test moves through the castle's versions from the newest, and where
# it then compares the map area with render of that version: (how, version,
# x, y, step). The arrow keys go to the focused slider, a click to the list.
SWITCHES = [
    (Keys.ARROW_LEFT, 4, 510, 490, 10),
    (Keys.ARROW_LEFT, 3, 510, 490, 5),
    ("click", 2, 510, 487, 20),
    (Keys.ARROW_LEFT, 1, 520, 490, 40),
    ("click", 0, 505, 489, 2),
    (Keys.ARROW_RIGHT, 1, 520, 485, 1),
]

# The texts of a cell as a version shows it: its seven texts, then when it
# last changed up to that version (the version, author, date) and the code
# it held before, named in the tile set of the version before.
HISTORY_HOVERS = [
    (0, 520, 480, ["Courtyard", "1", "0", "0", "0", "(520, 480)", "19N, 21E"],
     [0, "Ann Maker", "2026-11-02 09:15", '0 "Unknown"']),
    (1, 520, 480, ["Chest", "?", "?", "?", "?", "(520, 480)", "19N, 21E"],
     [1, "Bo Reeve", "2026-11-05 14:40", '21 "Courtyard"']),
    (2, 510, 487, ["No tile (code 17)", "", "", "", "", "(510, 487)", "12N, 11E"],
     [2, "Ann Maker", "2026-11-09 10:00", '15 "Chest"']),
    (3, 505, 494, ["Unknown", "-", "0", "0", "0", "(505, 494)", "5N, 6E"],
     [3, "Bo Reeve", "2026-11-12 11:30", '12 "Doorway"']),
    (5, 505, 489, ["Open", "1", "0", "0", "0", "(505, 489)", "10N, 6E"],
     [5, "not committed", "2026-12-01 08:00", '15 "Chest"']),
    (5, 100, 100, ["Unknown", "-", "0", "0", "0", "(100, 100)", "399N, 399W"],
     ["Never changed", "", "", ""]),
]


def check_history(browser, failures, options, site, versions, work):
    """The castle's versions: the newest first, then each version chosen with
    the slider's arrow keys or in the list drawn as render draws it, the
    address following; the legend's counts, the cell texts with the last
    change, links to a version and the outlines of its changes. Returns the
    switch times and the pointer-to-text times."""
    base = "file://" + urllib.parse.quote(site)
    newest = len(versions) - 1
    figures = {"switches": [], "last change": []}
    # The version in the address, the slider's and the list's.
    shown = lambda: browser.js(
        "const current = document.querySelector('#version-list [aria-current]');"
        "return [new URLSearchParams(location.hash.slice(1)).get('version'),"
        "  Number(document.getElementById('version-slider').value),"
        "  current && Number(current.dataset.version)];")
    expected = lambda index: [versions[index].short, index, index]
    entry = lambda index: browser.driver.find_element(
        By.CSS_SELECTOR, f'#version-list [data-version="{index}"]')

    browser.open(page_url(base, "castle"))
    failures.expect(shown() == expected(newest), "without a version in the address the newest is shown",
                    str(shown()))
    check_pixels(browser, failures, options.velmora_map, versions[newest].path, 510, 487, 10, work)
    slider = browser.driver.find_element(By.ID, "version-slider")
    for how, index, x, y, step in SWITCHES:
        if how == "click":
            entry(index).click()
        else:
            slider.send_keys(how)
        failures.expect(wait_for(browser, lambda: shown() == expected(index)),
                        f"version {index} chosen; the slider, the list and the address follow", str(shown()))
        figures["switches"].append(browser.js("return VelmoraAtlas.stats.lastVersionSwitchMs"))
        check_pixels(browser, failures, options.velmora_map, versions[index].path, x, y, step, work)

    entry(3).click()
    counts = {}
    for code in versions[3].cells:
        counts[code] = counts.get(code, 0) + 1
    legend = browser.js("return [...document.querySelectorAll('#legend .legend-entry')].map(e =>"
                        "  [Number(e.dataset.code), Number(e.lastChild.textContent.replace(/,/g, ''))])")
    failures.expect(legend == sorted(map(list, counts.items()), key=lambda item: (-item[1], item[0])),
                    "the legend counts the version shown", str(legend))

    for index, x, y, texts, change in HISTORY_HOVERS:
        if shown() != expected(index):
            entry(index).click()
        browser.go(x, y, 40)
        browser.point_off_map()
        # The last-change text as it stands at the first frame after the
        # pointer's move, and how long after the move that frame came.
        browser.js(
            "const commit = document.querySelector('#cell-change [data-text=\"commit\"]');"
            "window.atlasTestFrame = null;"
            "VelmoraAtlas.leafletMap.getContainer().addEventListener('mousemove', (event) =>"
            "  requestAnimationFrame(() => { window.atlasTestFrame ="
            "    [performance.now() - event.timeStamp, commit.textContent]; }),"
            "  { once: true, capture: true });")
        corner_x, corner_y, _ = browser.cell_corner(x, y)
        browser.point_at(corner_x + 20, corner_y + 20)
        wait_for(browser, lambda: browser.js("return window.atlasTestFrame") is not None)
        frame_ms, first_frame_text = browser.js("return window.atlasTestFrame")
        if isinstance(change[0], int):
            change = [versions[change[0]].short, *change[1:]]
        figures["last change"].append((frame_ms, first_frame_text == change[0]))
        seen = browser.cell_texts() + browser.js(
            "return [...document.querySelectorAll('#cell-change dd')].map(e => e.textContent);")
        failures.expect(seen == texts + change and first_frame_text == change[0],
                        f"texts of ({x}, {y}) in version {index}, by the first frame",
                        f"{seen} != {texts + change}, first frame: {first_frame_text!r}")

    # A unique beginning of a commit, its full hash and "worktree" each name
    # a version; the address then names it by its short commit.
    prefix = next(versions[2].full[:n] for n in range(4, 41)
                  if sum(v.full.startswith(versions[2].full[:n]) for v in versions) == 1)
    for text, index in [(versions[1].full, 1), (prefix, 2), ("worktree", newest)]:
        browser.open(page_url(base, "castle", f"#x=520&y=480&cell=20&version={text}"))
        failures.expect(browser.view() == (520, 480, 20) and shown() == expected(index),
                        f"a link with &version={text} opens that version at that place",
                        f"{browser.view()} {shown()}")

    # Version 1 changed (520, 480): framed red from 5 pixels per cell on,
    # filled red below; (510, 487) it left as it was.
    entry(1).click()
    browser.driver.find_element(By.ID, "version-outline").click()
    for step, (x, y), (dx, dy), red in [(20, (520, 480), (0, 0), True), (20, (520, 480), (10, 10), False),
                                        (20, (510, 487), (0, 0), False), (2, (520, 480), (1, 1), True)]:
        browser.go(520, 480, step)
        corner_x, corner_y, _ = browser.cell_corner(x, y)
        pixel = browser.screenshot().getpixel((int(corner_x) + dx, int(corner_y) + dy))
        failures.expect((pixel == (255, 0, 0)) == red,
                        f"({x}, {y}) {'' if red else 'not '}outlined red at {step} px per cell", str(pixel))
    browser.driver.find_element(By.ID, "version-outline").click()

    # Folded on a narrow screen, the panel's button names the version shown
    # and counts its problems.
    entry(3).click()
    wait_for(browser, lambda: shown() == expected(3))
    problems = len(browser.js("return VelmoraAtlas.map.history.versions[3].problems"))
    check_narrow(browser, failures, ["Panel", versions[3].short,
                                     f"{problems} warning" + ("" if problems == 1 else "s")])
    failures.expect(not browser.severe_messages(), "no console errors on the history page",
                    "\n  ".join(browser.severe_messages()))
    if options.save_history_screenshot:
        save_history_screenshot(browser, base, options.save_history_screenshot)
    return figures


def save_screenshot(browser, base, path):
    """A map page with the panel showing a search and the cell under the pointer."""
    browser.driver.execute_cdp_cmd("Emulation.setDeviceMetricsOverride", {
        "width": 1280, "height": 800, "deviceScaleFactor": 1, "mobile": False})
    browser.open(page_url(base, "castle", "#x=513&y=487&cell=20"))
    search_input = browser.driver.find_element(By.ID, "search-input")
    search_input.send_keys("chest", Keys.ENTER, Keys.ENTER, Keys.ENTER)
    browser.wait_drawn()
    corner_x, corner_y, _ = browser.cell_corner(510, 487)
    browser.point_at(corner_x + 10, corner_y + 10)
    browser.screenshot().save(path)
    browser.driver.execute_cdp_cmd("Emulation.clearDeviceMetricsOverride", {})


def save_history_screenshot(browser, base, path):
    """The castle as an older version left it, its changes outlined, with the
    slider, the list and the last change of the cell under the pointer."""
    browser.driver.execute_cdp_cmd("Emulation.setDeviceMetricsOverride", {
        "width": 1280, "height": 800, "deviceScaleFactor": 1, "mobile": False})
    browser.open(page_url(base, "castle", "#x=513&y=488&cell=20"))
    browser.driver.find_element(By.CSS_SELECTOR, '#version-list [data-version="1"]').click()
    browser.driver.find_element(By.ID, "version-outline").click()
    browser.wait_drawn()
    corner_x, corner_y, _ = browser.cell_corner(520, 480)
    browser.point_at(corner_x + 10, corner_y + 10)
    browser.screenshot().save(path)
    browser.driver.execute_cdp_cmd("Emulation.clearDeviceMetricsOverride", {})


if __name__ == "__main__":
    sys.exit(main())
