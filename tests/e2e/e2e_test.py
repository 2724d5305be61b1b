#!/usr/bin/env python3
"""End-to-end runs of the installer under Wine, one case per call:

  e2e_test.py CASE --build DIR --exe E2E_EXE --installer FIXTURE --child CHILD --out DIR

Each case starts its own loopback CDN and collector, runs the renamed e2e
executable in the test CA's namespace, clicks through it and checks what it
left: exit code, files, registry, recorded command lines, log lines and
analytics events. Screenshots go to OUT/screenshots/CASE_*.png.
"""

import argparse
import os
import shutil
import sys
import time
import traceback

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import installer_driver as drv  # noqa: E402

KOREAN_NAME = "vandorix9_kr_2033_x"
# The five-piece name: variant, language, package (more than five
# characters, or it is ignored), channel, anything.
PACKAGE_NAME = "vandorix9_kr_lumennotes_2033_x"
CHANNEL = "2033"


class Failed(Exception):
    pass


class Case:
    def __init__(self, args, name):
        self.args = args
        self.name = name
        self.folder = os.path.join(args.out, name)
        shutil.rmtree(self.folder, ignore_errors=True)
        os.makedirs(self.folder)
        self.screens = os.path.join(args.out, "screenshots")
        self.failures = []
        self.servers = None
        self.runs = []

    def check(self, ok, what):
        print(("ok   " if ok else "FAIL ") + what, flush=True)
        if not ok:
            self.failures.append(what)
        return ok

    def require(self, value, what):
        if not self.check(bool(value), what):
            raise Failed(what)
        return value

    def serve(self, mode=""):
        self.servers = drv.LoopbackServers(os.path.join(self.folder, "servers"), self.args.installer, mode).start()
        return self.servers

    def installer(self, file_name, offer_answers="", sub="run"):
        run = drv.Installer(self.args.build, self.args.exe, file_name, os.path.join(self.folder, sub), self.servers,
                            self.args.child, "kr", offer_answers)
        self.runs.append(run)
        return run

    def shot(self, run, label, rect=None):
        path = run.shot(self.screens, "%s_%s" % (self.name, label), rect)
        print("shot " + path, flush=True)
        return path

    def close(self):
        for run in self.runs:
            run.kill()
        if self.servers:
            self.servers.stop()


def install_dir_for(run, typed):
    return typed.rstrip("\\") + "\\" + drv.INSTALL_SUBDIR


def fresh_target(run, typed):
    """The folder a typed path installs into, removed beforehand."""
    target = install_dir_for(run, typed)
    shutil.rmtree(run.unix_path(target), ignore_errors=True)
    return target


def check_installed(case, run, target, product_args):
    host = run.unix_path(target)
    case.check(os.path.isfile(os.path.join(host, "Vandorix.exe")), "package installer downloaded into " + target)
    case.check(os.path.isfile(os.path.join(host, "vxrunner.exe")), "product installed")
    case.check(os.path.isdir(os.path.join(host, "data")), "data folder made")
    reg = run.registry_install_dir()
    case.check(reg is not None and reg.rstrip("\\").lower() == target.rstrip("\\").lower(),
               "registry InstallDir %r" % reg)
    record = drv.read_utf16_record(run.installer_record)
    line = record.get("commandline", "")
    case.check(record.get("silence") == "1" and record.get("downloader") == "1", "installer got -silence -downloader")
    case.check(record.get("openid") == CHANNEL, "installer -openid=%r" % record.get("openid"))
    case.check(record.get("language") not in (None, ""), "installer -language=%r" % record.get("language"))
    case.check(record.get("path") == target, "installer -path=%r" % record.get("path"))
    case.check(line.startswith('"') and 'Vandorix.exe"' in line, "installer started by quoted full path: " + line)
    child = drv.wait_until(lambda: drv.read_utf16_record(run.child_record), 20)
    case.require(child, "product started and recorded itself")
    case.check(child.get("image", "").lower().endswith("\\vxrunner.exe"), "product image %r" % child.get("image"))
    args = child.get("commandline", "")
    tail = args.split(".exe", 1)[1].strip().strip('"').strip() if ".exe" in args else ""
    case.check(tail == product_args, "product arguments %r" % tail)


def check_events(case, expected_in_order):
    events = drv.wait_until(lambda: (lambda e: e if len(e) >= len(expected_in_order) else None)(
        case.servers.events()), 20) or case.servers.events()
    names = [name for name, _ in events]
    print("events " + ", ".join("%s:%s" % e for e in events), flush=True)
    case.check(names[:1] == ["ad_run"], "first event ad_run")
    case.check(events[0][1] == CHANNEL if events else False, "ad_run carries the channel")
    at = 0
    for name in expected_in_order:
        try:
            at = names.index(name, at) + 1
            case.check(True, "event %s in order" % name)
        except ValueError:
            case.check(False, "event %s in order" % name)


def check_log(case, run, lines):
    # The log writer runs on its own thread: give it a moment.
    for line in lines:
        case.check(run.wait_log(line, 10) is not None, "log has %r" % line)


def wait_start_page(run, timeout):
    return drv.wait_until(run.on_start_page, timeout, 0.5)


def install_click_until_popup(case, run):
    run.click("installnowbtn")
    time.sleep(1.0)
    case.shot(run, "03_offers_loading")
    popup = case.require(run.wait_offer_buttons(60), "offers popup shows an offer with its buttons")
    return popup


def case_happy(case):
    # A download of some seconds: the offer is answered while it runs, and
    # the progress page has something to show.
    case.serve("slow=10")
    run = case.installer(KOREAN_NAME)
    typed = "C:\\vx_e2e\\happy"
    target = fresh_target(run, typed)
    run.forget_install_dir()
    run.start()
    case.require(run.wait_window(), "main window found by its title")
    geometry = run.screen.geometry(run.window)
    case.check(geometry[2] >= 656 and geometry[3] >= 428, "window size %dx%d" % geometry[2:])
    case.shot(run, "01_consent")
    run.set_custom_path(typed)
    case.shot(run, "02_custom_path")
    install_click_until_popup(case, run)
    path = run.shot_popup(case.screens, case.name + "_04_offers_popup")
    case.check(path is not None, "offers popup screenshot %s" % path)
    case.require(run.press_offer_until_sent("accept"), "accept reaches the offer module")
    case.require(drv.wait_until(lambda: run.popup() is None, 10), "accepting ends the offers popup")
    time.sleep(1.0)
    case.shot(run, "05_progress")
    case.require(wait_start_page(run, 120), "Start page shown")
    case.shot(run, "06_start")
    run.click("startBtn")
    code = run.wait_exit(30)
    case.check(code == 0, "installer exited with %r" % code)
    check_installed(case, run, target, "")
    check_log(case, run, ["***** start ****", "not has", "create main", "download player",
                          "download file success", "install:  "])
    check_events(case, ["ad_iron_show", "ad_iron_accept", "ad_download_sucess", "ad_installSucess"])


def case_declined(case):
    case.serve("slow=10")
    run = case.installer(PACKAGE_NAME, offer_answers="")
    typed = "C:\\vx_e2e\\declined"
    target = fresh_target(run, typed)
    run.forget_install_dir()
    run.start()
    case.require(run.wait_window(), "main window found by its title")
    run.set_custom_path(typed)
    install_click_until_popup(case, run)
    case.require(run.press_offer_until_sent("decline"), "decline reaches the offer module")
    case.require(drv.wait_until(lambda: run.popup() is None, 10), "declining ends the offers popup")
    case.shot(run, "05_progress")
    # With a package name the program starts the product itself and quits.
    code = run.wait_exit(120)
    case.check(code == 0, "installer quit by itself with %r" % code)
    check_installed(case, run, target, "downloadpackage=lumennotes|package=lumennotes")
    check_events(case, ["ad_iron_show", "ad_iron_reject", "ad_download_sucess", "ad_installSucess"])


def case_second_launch(case):
    case.serve()
    first = case.installer(KOREAN_NAME, sub="first")
    first.forget_install_dir()
    first.start()
    case.require(first.wait_window(), "first window found")
    # Cover the first window so that coming forward can be seen.
    first.screen.xdo("windowminimize", str(first.window))
    time.sleep(1.0)
    second = case.installer(KOREAN_NAME, sub="second")
    second.log_start = first.log_start
    started = time.monotonic()
    second.start()
    code = second.wait_exit(40)
    case.check(code == 0, "second launch exited with %r in %.1f s" % (code, time.monotonic() - started))
    case.check(len(first.screen.find(drv.TITLES["kr"])) == 1, "still one main window")
    case.check(drv.wait_until(lambda: first.screen.find(drv.TITLES["kr"]), 10) is not None,
               "first window visible again")
    log = first.log()
    case.check(log.count("***** start ****") == 2, "two starts logged")
    case.check("has" in log.replace("not has", ""), "second logged 'has'")
    case.check("ipc, msg = 112345" in log, "first got the bring-forward message")
    case.shot(first, "01_brought_forward")
    first.click("closebtn")
    box = first.wait_box(10)
    case.check(box is not None, "close before any download asks the exit question")
    if box:
        case.shot(first, "02_exit_question", box[1])


def case_download_error(case):
    case.serve("fail=500")
    run = case.installer(KOREAN_NAME, offer_answers="")
    typed = "C:\\vx_e2e\\error"
    fresh_target(run, typed)
    run.start()
    case.require(run.wait_window(), "main window found")
    run.set_custom_path(typed)
    install_click_until_popup(case, run)
    run.press_offer_until_sent("decline")
    box = run.wait_box(90)
    case.require(box, "download error box shown")
    case.shot(run, "01_download_error", box[1])
    requests = case.servers.package_requests()
    case.check(len(requests) >= 3, "both paths asked the CDN (%d requests)" % len(requests))
    check_log(case, run, ["download by curl", "download end, success = 0"])
    check_events(case, ["ad_download_error"])


def case_close_during_download(case):
    case.serve("slow=60")
    run = case.installer(KOREAN_NAME, offer_answers="")
    typed = "C:\\vx_e2e\\slow"
    fresh_target(run, typed)
    run.start()
    case.require(run.wait_window(), "main window found")
    run.set_custom_path(typed)
    install_click_until_popup(case, run)
    run.press_offer_until_sent("decline")
    case.require(drv.wait_until(lambda: case.servers.package_requests(), 30), "download under way")
    time.sleep(12)
    case.shot(run, "01_downloading")
    run.click("closebtn")
    box = run.wait_box(10)
    case.require(box, "close during the download shows the slow-download box")
    case.shot(run, "02_slow_download_box", box[1])
    # Its left answer closes the installer.
    run.press_box(box, "left")
    gone = drv.wait_until(lambda: not run.boxes() and not run.screen.find(drv.TITLES["kr"]), 10)
    case.check(gone is not None, "the box and the main window are gone")
    code = run.wait_exit(60)
    case.check(code == 0, "closing from the box ends the installer with %r" % code)


def case_close_on_start(case):
    case.serve("slow=10")
    run = case.installer(KOREAN_NAME)
    typed = "C:\\vx_e2e\\close"
    fresh_target(run, typed)
    run.start()
    case.require(run.wait_window(), "main window found")
    run.set_custom_path(typed)
    install_click_until_popup(case, run)
    run.press_offer_until_sent("accept")
    case.require(wait_start_page(run, 120), "Start page shown")
    run.click("closebtn")
    code = run.wait_exit(20)
    case.check(code == 0, "close on the Start page quits at once with %r" % code)
    case.check(not run.boxes(), "no question asked")
    case.check(not drv.read_utf16_record(run.child_record), "the product was not started")


def case_bad_path(case):
    case.serve()
    run = case.installer(KOREAN_NAME)
    run.start()
    case.require(run.wait_window(), "main window found")
    before = run.card_pixel("installnowbtn")
    run.set_custom_path("Q:\\no\\such\\drive")
    time.sleep(0.5)
    case.shot(run, "01_bad_path")
    after = run.card_pixel("installnowbtn")
    case.check(before != after, "install button drawn disabled (%r -> %r)" % (before, after))
    run.click("installnowbtn")
    time.sleep(2)
    case.check(run.popup() is None and not case.servers.package_requests(), "a click on it starts nothing")
    run.click("closebtn")
    box = run.wait_box(10)
    if box:
        run.press_box(box, "left")
    run.wait_exit(15)


CASES = {
    "happy": case_happy,
    "declined": case_declined,
    "second_launch": case_second_launch,
    "download_error": case_download_error,
    "close_during_download": case_close_during_download,
    "close_on_start": case_close_on_start,
    "bad_path": case_bad_path,
}


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("case", choices=sorted(CASES))
    parser.add_argument("--build", required=True)
    parser.add_argument("--exe", required=True)
    parser.add_argument("--installer", required=True)
    parser.add_argument("--child", required=True)
    parser.add_argument("--out", required=True)
    args = parser.parse_args()
    case = Case(args, args.case)
    try:
        CASES[args.case](case)
    except Failed:
        pass
    except Exception:  # a broken step fails the case with its trace
        traceback.print_exc()
        case.failures.append("exception")
    finally:
        for run in case.runs:
            tail = run.log()[-3000:]
            if case.failures and tail:
                print("--- log of this run ---\n" + tail, flush=True)
        case.close()
    print("%s: %s" % (args.case, "FAILED: " + "; ".join(case.failures) if case.failures else "passed"))
    return 1 if case.failures else 0


if __name__ == "__main__":
    sys.exit(main())
