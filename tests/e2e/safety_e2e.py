"""reminder from outside against what another local user can plant: a FIFO in path.txt's
place, and a link in a db folder anyone can write, named as older programs named their
new store."""

import os
import stat

from e2e import Program, box_saying, check, main_window, press, record, run_tests, set_up_reminder, soon


def test_a_fifo_for_path_txt_is_refused_at_once():
    def plant(home):
        path_txt = os.path.join(os.path.dirname(home), "path.txt")
        os.remove(path_txt)
        os.mkfifo(path_txt)
    program = Program([], fill=plant)
    try:
        box = box_saying("Not a regular file: %s" % os.path.join(program.folder, "path.txt"), timeout=20)
        press(box, "OK")
        press(box_saying("No such file or directory: /db/reminders.rmd"), "OK")  # no home: the count fails
        main_window()
        check("a FIFO for path.txt is reported with its path and the program goes on", program.process.poll() is None)
    finally:
        program.stop()


def test_a_planted_link_is_never_written_through():
    secret = []

    def plant(home):
        db = os.path.join(home, "db")
        os.chmod(db, 0o777)
        secret.append(os.path.join(os.path.dirname(home), "secret"))
        with open(secret[0], "w") as f:
            f.write("private")
        link = os.path.join(db, "temp")
        os.symlink(secret[0], link)
        if os.geteuid() == 0:
            os.lchown(link, 65534, 65534)  # another user's
    program = Program([record("E2E kept", soon(3600))], fill=plant)
    try:
        set_up_reminder(main_window(), "E2E saved", soon(1800))
        with open(secret[0]) as f:
            kept = f.read()
        check("a save leaves the file a planted link points to as it was, and the store a file of its own",
              kept == "private" and stat.S_ISREG(os.lstat(program.store).st_mode) and len(program.records()) == 2,
              repr(kept))
    finally:
        program.stop()


if __name__ == "__main__":
    run_tests(test_a_fifo_for_path_txt_is_refused_at_once, test_a_planted_link_is_never_written_through)
