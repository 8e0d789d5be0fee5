#!/usr/bin/python3
"""browser_test.py WEB_DIR DESKTOP_BUILD - the web game end to end in
Debian's headless Chromium, driven over its DevTools protocol.

Serves WEB_DIR (index.html, game.js, game.wasm, game.data) from 127.0.0.1
and checks: the first frame comes; after the first key the music fades in
(the output's buffer peaks); level 1 looks like the desktop game's (its
screenshot under Xvfb, DISPLAY must be set); a pressed pair goes; and after
a reload the board is back as it was left. Prints the page's time to its
first frame."""
import base64, functools, http.server, io, json, os, shutil, socket, struct
import subprocess, sys, tempfile, threading, time, urllib.request
from PIL import Image, ImageChops

SRC = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "..")
TOOL = ["/usr/bin/python3", os.path.join(SRC, "tests/e2e/board_tool.py")]
WHITE = (255, 255, 255)


def fail(message):
    sys.exit("FAIL: " + message)


class DevTools:
    """A websocket client just big enough for the DevTools protocol."""

    def __init__(self, url):
        host, path = url[len("ws://"):].split("/", 1)
        self.sock = socket.create_connection(tuple(host.split(":")[:1]) + (int(host.split(":")[1]),))
        key = base64.b64encode(os.urandom(16)).decode()
        self.sock.sendall(("GET /%s HTTP/1.1\r\nHost: %s\r\nUpgrade: websocket\r\nConnection: Upgrade\r\n"
                           "Sec-WebSocket-Key: %s\r\nSec-WebSocket-Version: 13\r\n\r\n" % (path, host, key)).encode())
        self.data, self.last = b"", 0
        while b"\r\n\r\n" not in self.data:
            self.data += self.sock.recv(4096)
        self.data = self.data.split(b"\r\n\r\n", 1)[1]

    def read(self, n):
        parts, have = [self.data], len(self.data)
        while have < n:
            parts.append(self.sock.recv(1 << 20))
            have += len(parts[-1])
        data = b"".join(parts)
        self.data = data[n:]
        return data[:n]

    def message(self):
        text = b""
        while True:
            head, size = self.read(2)
            size &= 127
            if size >= 126:
                size = struct.unpack(">H" if size == 126 else ">Q", self.read(2 if size == 126 else 8))[0]
            text += self.read(size)
            if head & 0x80:
                return json.loads(text)

    def call(self, method, **params):
        self.last += 1
        body = json.dumps({"id": self.last, "method": method, "params": params}).encode()
        n, mask = len(body), os.urandom(4)
        head = struct.pack(">BB", 0x81, 0x80 | n) if n < 126 else struct.pack(">BBH", 0x81, 0xFE, n)
        self.sock.sendall(head + mask + bytes(b ^ mask[i % 4] for i, b in enumerate(body)))
        while True:
            reply = self.message()
            if reply.get("id") == self.last:
                if "error" in reply:
                    fail("%s: %s" % (method, reply["error"]))
                return reply["result"]

    def eval(self, expression):
        result = self.call("Runtime.evaluate", expression=expression, awaitPromise=True,
                           returnByValue=True)
        if "exceptionDetails" in result:
            fail("%s: %s" % (expression, result["exceptionDetails"]))
        return result["result"].get("value")

    def shot(self):
        data = self.call("Page.captureScreenshot", format="png")["data"]
        return Image.open(io.BytesIO(base64.b64decode(data))).convert("RGB")

    def click(self, x, y):
        for kind in ("mousePressed", "mouseReleased"):
            self.call("Input.dispatchMouseEvent", type=kind, x=x, y=y, button="left", clickCount=1)


def wait(what, seconds, test):
    end = time.time() + seconds
    while time.time() < end:
        value = test()
        if value:
            return value
        time.sleep(0.2)
    fail(what)


def differing(a, b):
    """Share of pixels whose channels differ by more than 48."""
    diff = ImageChops.difference(a, b).convert("L").point(lambda v: 255 if v > 48 else 0)
    return diff.histogram()[255] / float(a.width * a.height)


def face(image, point):  # a tile's face shows just above its picture
    return image.getpixel((point[0], point[1] - 36)) == WHITE


FIRST_FRAME = ("new Promise(r => (function w() { if (window.Module && Module.calledRun) "
               "requestAnimationFrame(() => requestAnimationFrame(() => r(performance.now()))); "
               "else setTimeout(w, 10); })())")


def open_page(web, work):
    """Serves web and starts Chromium on a 540 x 960 page: (browser, page, load)."""
    class Quiet(http.server.SimpleHTTPRequestHandler):
        def log_message(self, *args):
            pass
    server = http.server.ThreadingHTTPServer(("127.0.0.1", 0), functools.partial(Quiet, directory=web))
    threading.Thread(target=server.serve_forever, daemon=True).start()
    url = "http://127.0.0.1:%d/index.html" % server.server_address[1]
    browser = subprocess.Popen(
        ["chromium", "--headless=new", "--no-sandbox", "--use-angle=swiftshader", "--enable-unsafe-swiftshader",
         "--window-size=540,960", "--remote-debugging-port=0", "--user-data-dir=" + work + "/profile",
         "--no-first-run", "about:blank"], stdout=subprocess.DEVNULL, stderr=subprocess.PIPE, text=True)
    for line in browser.stderr:
        if line.startswith("DevTools listening on "):
            port = line.split(":")[2].split("/")[0]
            break
    threading.Thread(target=lambda: [None for _ in browser.stderr], daemon=True).start()
    targets = json.load(urllib.request.urlopen("http://127.0.0.1:%s/json/list" % port))
    page = DevTools([t for t in targets if t["type"] == "page"][0]["webSocketDebuggerUrl"])
    page.call("Emulation.setDeviceMetricsOverride", width=540, height=960, deviceScaleFactor=1, mobile=False)

    def load(reload=False):  # milliseconds from the page's start to its first frame
        page.call("Page.reload") if reload else page.call("Page.navigate", url=url)
        time.sleep(0.3)
        return page.eval(FIRST_FRAME)
    return browser, page, load


def plant_save(page, work, level):
    """An autosave at level (tutorial done) in the page's storage; the running
    game is stopped first so that it cannot save over it."""
    subprocess.run(TOOL + ["save", work + "/autosave", str(level)], check=True)
    save = list(open(work + "/autosave", "rb").read())
    page.eval("Browser.mainLoop.pause(); Browser.mainLoop.resume = () => 0; GLFW.active.windowIconifyFunc = 0; "
              "FS.writeFile('/save/autosave', new Uint8Array(%s)); "
              "new Promise(r => FS.syncfs(false, e => r(String(e))))" % save)


def click_points(build, work, level, mode):
    """Points to press, two per pair, that clear the level's board."""
    layout = subprocess.run([build + "/level-tool", str(level), "--counts-from", build + "/run/images",
                             "--offsets", build + "/run/level_seed_offsets"],
                            check=True, capture_output=True, text=True)
    open(work + "/layout", "w").write(layout.stdout)
    clicks = subprocess.run(TOOL + ["clicks", build + "/run/config.txt", work + "/layout", mode],
                            check=True, capture_output=True, text=True).stdout.split()
    return [(int(clicks[i]), int(clicks[i + 1])) for i in range(0, len(clicks) - 1, 2)]


def main(web, build):
    work = tempfile.mkdtemp(prefix="game_web_")
    browser, page, load = open_page(web, work)
    desktop = []
    try:
        test(build, work, page, load, desktop.append)
    finally:
        for process in desktop:
            process.kill()
        browser.kill()
        browser.wait()
        shutil.rmtree(work, ignore_errors=True)


def test(build, work, page, load, keep_desktop):
    # A fresh page: the first frame, then the first key starts the sound.
    print("page load to first frame: %.0f ms" % load())
    page.call("Input.dispatchKeyEvent", type="keyDown", key="a", code="KeyA", windowsVirtualKeyCode=65)
    page.call("Input.dispatchKeyEvent", type="keyUp", key="a", code="KeyA", windowsVirtualKeyCode=65)
    peaks = wait("the audio output mixed nothing", 15, lambda: (
        page.eval("Module.audioPeaks.length") > 40 and page.eval("Module.audioPeaks")))
    start, later = max(peaks[:3]), max(peaks[30:40])
    print("music peaks: %.3f in the first buffers, %.3f a second on" % (start, later))
    if not (later > 0.02 and start < 0.5 * later):
        fail("the music does not fade in: %s" % peaks[:40])

    # Level 1 with the tutorial done.
    plant_save(page, work, 1)
    pair = click_points(build, work, 1, "regular")[:2]
    load(reload=True)
    board = wait("level 1's tiles never showed", 20, lambda: (lambda s: face(s, pair[0]) and s)(page.shot()))
    time.sleep(1.0)
    board = page.shot()

    # The desktop game on the same save, under Xvfb.
    shutil.copytree(build + "/run", work + "/run", symlinks=False)
    shutil.copy(work + "/autosave", work + "/run/autosave")
    env = dict(os.environ, SDL_AUDIODRIVER="dummy")
    keep_desktop(subprocess.Popen([work + "/run/game"], cwd=work + "/run", env=env,
                                  stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL))

    def desktop_shot():
        subprocess.run(["import", "-window", "root", "-crop", "540x960+0+0", "PNG24:" + work + "/d.png"],
                       stderr=subprocess.DEVNULL)
        return os.path.exists(work + "/d.png") and Image.open(work + "/d.png").convert("RGB")
    wait("the desktop game never showed level 1", 20, lambda: (lambda s: s and face(s, pair[0]))(desktop_shot()))
    time.sleep(1.0)
    reference = desktop_shot()
    share = differing(board, reference)
    print("level 1, browser against desktop: %.2f%% of pixels differ" % (100 * share))
    board.save(work + "/web.png")
    if share > 0.02:
        fail("level 1 in the browser differs from the desktop's in %.1f%% of its pixels" % (100 * share))

    # A pair goes, and after a reload the board is as it was left.
    for point in pair:
        page.click(*point)
        time.sleep(0.3)
    left = wait("the pressed pair stayed", 10, lambda: (
        lambda s: not face(s, pair[0]) and not face(s, pair[1]) and s)(page.shot()))
    time.sleep(1.0)
    left = page.shot()
    load(reload=True)
    time.sleep(1.5)
    back = page.shot()
    if face(back, pair[0]) or face(back, pair[1]) or differing(left, back) > 0.01:
        fail("the board after a reload is not the one left (%.1f%% differs)" % (100 * differing(left, back)))
    print("browser test passed")


if __name__ == "__main__":
    main(sys.argv[1], sys.argv[2])
