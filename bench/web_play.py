#!/usr/bin/python3
"""web_play.py WEB_DIR BUILD_DIR - figures of the web game in headless
Chromium (software WebGL through SwiftShader), driven over DevTools like
tests/web/browser_test.py:
  - page load to the first frame: a fresh profile, then warm reloads;
  - frames a second while the 9 x 10 Time Challenge (level 10) is played
    fast, a pair every quarter of a second (the title's count, each second);
  - CPU of all Chromium processes at rest, the tab visible and hidden, and
    with only empty tabs."""
import os, statistics, subprocess, sys, tempfile, time
sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "tests", "web"))
import browser_test as bt

web, build = sys.argv[1], sys.argv[2]
work = tempfile.mkdtemp(prefix="game_web_bench_")
browser, page, load = bt.open_page(web, work)


def cpu_seconds():
    """User + system time of the browser and all its descendants."""
    tree = subprocess.run(["ps", "-e", "-o", "pid=,ppid="], capture_output=True, text=True).stdout.split()
    children, pids, total = {}, [browser.pid], 0
    for pid, ppid in zip(tree[0::2], tree[1::2]):
        children.setdefault(int(ppid), []).append(int(pid))
    for pid in pids:
        pids.extend(children.get(pid, []))
        try:
            fields = open("/proc/%d/stat" % pid).read().rsplit(")", 1)[1].split()
            total += (int(fields[11]) + int(fields[12])) / os.sysconf("SC_CLK_TCK")
        except OSError:
            pass
    return total


def cpu_share(seconds):
    before = cpu_seconds()
    time.sleep(seconds)
    return 100 * (cpu_seconds() - before) / seconds


try:
    cold = load()
    warm = [load(reload=True) for _ in range(5)]
    print("first frame: fresh profile %.0f ms; warm reloads, median of 5: %.0f ms (%s)"
          % (cold, statistics.median(warm), ", ".join("%.0f" % w for w in warm)))

    bt.plant_save(page, work, 10)
    points = bt.click_points(build, work, 10, "time")
    load(reload=True)
    time.sleep(3)
    titles = []
    next_read = time.time() + 1
    for x, y in points:
        page.click(x, y)
        time.sleep(0.125)
        if time.time() >= next_read:
            titles.append(page.eval("document.title"))
            next_read += 1
    fps = [int(t.split("fps: ")[1].rstrip(")")) for t in titles[1:-1] if "fps: " in t]
    print("playing level 10 fast: %d presses; fps readings %s; median %s"
          % (len(points), fps, statistics.median(fps) if fps else "none"))

    # At rest on a regular level (no clock), then the same page hidden, and
    # the browser on an empty page for comparison.
    bt.plant_save(page, work, 2)
    load(reload=True)
    time.sleep(3)
    print("at rest on level 2, tab visible: %.1f %% of one core" % cpu_share(10))
    other = page.call("Target.createTarget", url="about:blank")
    page.call("Target.activateTarget", targetId=other["targetId"])
    time.sleep(1)
    print("game tab now %s" % page.eval("document.visibilityState"))
    print("at rest, tab hidden: %.1f %% of one core" % cpu_share(10))
    page.call("Page.navigate", url="about:blank")
    page.call("Target.activateTarget", targetId=other["targetId"])
    print("the browser with two empty tabs: %.1f %% of one core" % cpu_share(10))
finally:
    browser.kill()
    browser.wait()
