#!/usr/bin/env python3
"""The installer demo against the loopback CDN and collector:

  demo_run.py auto|watch --build DIR --exe E2E_EXE --installer FIXTURE --child CHILD --out DIR

auto:  drives the whole road (consent, custom path, Install, accept the
       offer, Start) on the build's display and saves a screenshot of each
       page.
watch: a person clicks; a screenshot is saved whenever the window's
       picture changes, until the installer ends.
Prints the screenshot folder first; exits with the installer's exit code.
"""

import argparse
import hashlib
import os
import shutil
import sys
import time

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import installer_driver as drv  # noqa: E402

NAME = "vandorix9_kr_2033_x"


def auto(run, shots):
    run.wait_window()
    run.shot(shots, "01_consent")
    run.set_custom_path("C:\\Vandorix Demo")
    run.shot(shots, "02_custom_path")
    run.click("installnowbtn")
    time.sleep(1.0)
    run.shot(shots, "03_offers_loading")
    if run.wait_offer_buttons(60):
        run.shot_popup(shots, "04_offers_popup")
        run.press_offer_until_sent("accept")
    time.sleep(1.0)
    run.shot(shots, "05_progress")

    if drv.wait_until(run.on_start_page, 120, 0.5):
        run.shot(shots, "06_start")
        run.click("startBtn")
    return run.wait_exit(30)


def watch(run, shots):
    run.wait_window(120)
    last, count = None, 0
    while run.process.poll() is None:
        try:
            picture = run.card()[2]
        except Exception:  # the window went away between two looks
            picture = None
        digest = hashlib.sha1(picture).hexdigest() if picture else None
        if digest and digest != last:
            count += 1
            try:
                run.shot(shots, "%02d_page" % count)
            except Exception:
                pass
            last = digest
        time.sleep(1.0)
    return run.process.returncode


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("mode", choices=["auto", "watch"])
    parser.add_argument("--build", required=True)
    parser.add_argument("--exe", required=True)
    parser.add_argument("--installer", required=True)
    parser.add_argument("--child", required=True)
    parser.add_argument("--out", required=True)
    args = parser.parse_args()
    shots = os.path.join(args.out, "screenshots")
    shutil.rmtree(args.out, ignore_errors=True)
    os.makedirs(shots)
    print(shots, flush=True)
    servers = drv.LoopbackServers(os.path.join(args.out, "servers"), args.installer, "slow=10").start()
    run = drv.Installer(args.build, args.exe, NAME, os.path.join(args.out, "run"), servers, args.child)
    try:
        run.start()
        code = (auto if args.mode == "auto" else watch)(run, shots)
    finally:
        run.kill()
        servers.stop()
    print("installer exit code: %s" % code, file=sys.stderr)
    print("analytics events: %s" % ", ".join(n for n, _ in servers.events()), file=sys.stderr)
    return 0 if code == 0 else 1


if __name__ == "__main__":
    sys.exit(main())
