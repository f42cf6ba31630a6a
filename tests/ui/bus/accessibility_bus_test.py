#!/usr/bin/python3
# Drives the whole program only through the accessibility bus (AT-SPI), as a screen
# reader user would: toolbar and menu actions against mouse clicks, the net's 54
# sticker cells against velmora-cli, the demonstration's announced step, the input
# tool's text set through the text interface, and a scrambled cube entered with the
# keyboard alone. Exit 77 (skipped) when no display, bus or pyatspi can be had.
import os
import subprocess
import sys
import tempfile
import time

try:
    import pyatspi
except ImportError:
    print("pyatspi missing: skipped")
    sys.exit(77)

GUI, CLI = os.path.abspath(sys.argv[1]), os.path.abspath(sys.argv[2])
SCRAMBLE = "F+;T+;R-;"
TARGET = "R+;T+;F-;L+;B*;P-;T+;R+;"  # the cube entered by keyboard
failures = []


def check(ok, what):
    print(("ok   " if ok else "FAIL ") + what)
    if not ok:
        failures.append(what)


def wait(predicate, seconds=10.0):
    end = time.time() + seconds
    while time.time() < end:
        try:
            value = predicate()
            if value:
                return value
        except Exception:
            pass
        time.sleep(0.05)
    return None


def cli_net(moves):
    out = subprocess.run([CLI, "net", moves], capture_output=True, text=True, check=True).stdout
    return [line[len("cell: "):] for line in out.splitlines() if line.startswith("cell: ")]


def find(root, role=None, name=None, depth=0, showing=False):
    """The first object of the role and name under root (only shown ones with showing)."""
    try:
        if root is None or depth > 12:
            return None
        if showing and depth > 0 and not root.getState().contains(pyatspi.STATE_SHOWING):
            return None
        if (role is None or root.getRoleName() == role) and (name is None or root.name == name):
            return root
        for i in range(root.childCount):
            hit = find(root.getChildAtIndex(i), role, name, depth + 1, showing)
            if hit:
                return hit
    except Exception:  # an object that went away while being looked at
        pass
    return None


def act(obj, index=0):
    obj.queryAction().doAction(index)


def tree(obj, depth=0, out=None):
    out = [] if out is None else out
    if obj is None or depth > 9:
        return out
    if obj.getRoleName() not in ("table cell", "filler") and not (obj.getRoleName() == "menu item" and not obj.name):
        out.append("  " * depth + "%s: %s%s" % (obj.getRoleName(), obj.name,
                                                 " (" + obj.description + ")" if obj.description else ""))
    for i in range(obj.childCount):
        tree(obj.getChildAtIndex(i), depth + 1, out)
    return out


def main():
    scratch = tempfile.TemporaryDirectory(prefix="velmora-a11y-")  # removed when main returns
    work = scratch.name
    start = os.path.join(work, "start.mf")
    subprocess.run([CLI, "save", start, "--moves", SCRAMBLE], capture_output=True, check=True)
    env = dict(os.environ, QT_LINUX_ACCESSIBILITY_ALWAYS_ON="1", LIBGL_ALWAYS_SOFTWARE="1",
               QT_QPA_PLATFORM="xcb", XDG_CONFIG_HOME=os.path.join(work, "config"))
    proc = subprocess.Popen([GUI, start], env=env, cwd=work)
    try:
        app = wait(lambda: next((a for a in pyatspi.Registry.getDesktop(0)
                                 if a and a.get_process_id() == proc.pid), None), 20)
        if app is None:
            print("the program did not appear on the accessibility bus: skipped")
            return 77
        frame = wait(lambda: find(app, "frame"))
        net = wait(lambda: find(frame, "table", "魔方展开图"))
        cube = find(frame, "canvas", "魔方立体图")
        solution = find(frame, "text", "解法")
        message = find(frame, "status bar", "消息栏")
        keys = find(frame, None, "按键状态")
        check(all([net, cube, solution, message, keys]), "the five panes are named")
        lines = tree(frame)
        print("\n".join(lines))
        at = [next((i for i, l in enumerate(lines) if l.strip().startswith(p)), -1)
              for p in ("canvas: 魔方立体图", "table: 魔方展开图", "text: 解法")]
        check(-1 not in at and at == sorted(at), "a screen reader meets the cube, the net, then the solution")

        table = net.queryTable()
        check((table.nRows, table.nColumns) == (18, 3), "the net is a table of 18 rows by 3 columns")

        def cells():
            return [table.getAccessibleAt(i // 3, i % 3).name for i in range(54)]

        def snapshot():
            return (tuple(cells()), solution.description)

        check(cells() == cli_net(SCRAMBLE), "the 54 cells name the position as velmora-cli net does")

        toolbar = find(frame, "tool bar")

        def tool(name):  # read afresh: the input toggle swaps its button
            return find(toolbar, "push button", name)

        def click(obj):
            box = obj.queryComponent().getExtents(pyatspi.DESKTOP_COORDS)
            x, y = box.x + box.width // 2, box.y + box.height // 2
            pyatspi.Registry.generateMouseEvent(x, y, "abs")
            time.sleep(0.2)
            pyatspi.Registry.generateMouseEvent(x, y, "b1c")

        def settle(before):
            return wait(lambda: snapshot() != before and snapshot(), 10) or snapshot()

        # The demonstration: a step by action equals a step by click, and the step is
        # announced as the solution pane's description with the token selected.
        s0 = snapshot()
        act(tool("下一步"))
        s1 = settle(s0)
        check(s1[1] == "第 1 步，共 3 步：R+", "a step by action announces " + s1[1])
        sel = solution.queryText().getSelection(0)
        check(solution.queryText().getText(sel[0], sel[1]) == "T-", "the next token is selected")
        check("演示到第 1 步，共 3 步" in cube.description, "the 3D pane tells the step: " + cube.description)
        click(tool("退一步"))
        check(settle(s1) == s0, "a step back by click returns to the start")
        click(tool("下一步"))
        check(settle(s0) == s1, "a step by click equals the step by action")
        act(tool("退一步"))
        check(settle(s1) == s0, "a step back by action returns to the start")
        solution.queryText().setCaretOffset(solution.queryText().getText(0, -1).index("F-"))
        check(wait(lambda: solution.description == "第 2 步，共 3 步：T-"), "the caret on a move steps to it")
        solution.queryText().setCaretOffset(solution.queryText().getText(0, -1).index("R+"))
        check(wait(lambda: snapshot() == s0), "the caret on the first move goes back to the start")

        # Where the moves are drawn: each character's extents lie inside the pane, the
        # characters of a move side by side on one line, and a point names its character.
        text = solution.queryText()
        pane = solution.queryComponent().getExtents(pyatspi.DESKTOP_COORDS)
        at_move = text.getText(0, -1).index("T-")
        boxes = [tuple(text.getCharacterExtents(at_move + k, pyatspi.DESKTOP_COORDS)) for k in range(2)]
        check(all(b[2] > 0 and pane.x <= b[0] and b[0] + b[2] <= pane.x + pane.width and pane.y <= b[1]
                  and b[1] + b[3] <= pane.y + pane.height for b in boxes),
              "the characters of T- are placed inside the solution pane: %s" % (boxes,))
        check(boxes[0][1] == boxes[1][1] and boxes[1][0] > boxes[0][0], "T- is drawn on one line, left to right")
        check(text.getOffsetAtPoint(boxes[1][0] + 1, boxes[1][1] + 1, pyatspi.DESKTOP_COORDS) == at_move + 1,
              "the point of a character names it")
        # While 国际记号 is on, the pane says the international notation.
        act(find(frame, "menu item", "国际记号"))
        check(wait(lambda: "R U' F'" in solution.queryText().getText(0, -1)),
              "the accessible text follows 国际记号: " + solution.queryText().getText(0, -1))
        sel = solution.queryText().getSelection(0)
        check(solution.queryText().getText(sel[0], sel[1]) == "R", "the next move is selected as it is shown")
        act(find(frame, "menu item", "国际记号"))
        check(wait(lambda: "R+;T-;F-;" in solution.queryText().getText(0, -1)), "and back to the program's notation")

        # The face keys and turn keys are checkable: their action clicks them.
        act(tool("顶面"))
        check(wait(lambda: tool("顶面").getState().contains(pyatspi.STATE_CHECKED), 5) is True,
              "the face key's action presses it")
        act(tool("顺时针"))
        turned = settle(s0)
        click(tool("顶面"))
        time.sleep(0.3)
        click(tool("逆时针"))
        check(settle(turned) == s0, "the same keys by click turn it back")
        click(tool("顶面"))
        time.sleep(0.3)
        click(tool("顺时针"))
        check(settle(s0) == turned, "T+ by click equals T+ by action")
        check(turned[0] == tuple(cli_net(SCRAMBLE + "T+;")), "and both give the move engine's T+")

        # Checkable menu items: the method choices.
        act(find(frame, "menu item", "八角解法(8)"))
        check(wait(lambda: "八角法" in solution.queryText().getText(0, -1)), "the method menu item by action")
        act(find(frame, "menu item", "分组解法(1)"))  # back to the method the rest expects
        wait(lambda: "分组法" in solution.queryText().getText(0, -1))

        # Messages arrive as text changes of the message pane.
        heard = []
        listener = lambda e: heard.append(e.any_data) if e.source.name == "消息栏" else None
        pyatspi.Registry.registerEventListener(listener, "object:text-changed:insert")

        def answer(caption, seconds=10):
            dialog = wait(lambda: find(app, "push button", caption, showing=True), seconds)
            if dialog:
                act(dialog)
                # The press is animated: wait until its box has gone.
                wait(lambda: not find(app, "push button", caption, showing=True), 5)
            return dialog is not None

        # The command-string dialog (F5): its field set through the text interface.
        def key(sym):
            pyatspi.Registry.generateKeyboardEvent(sym, None, pyatspi.KEY_SYM)
            time.sleep(0.02)

        cube.queryAction().doAction(1)  # focus, as a screen reader's "go to" does
        wait(lambda: cube.getState().contains(pyatspi.STATE_FOCUSED), 5)
        key(0xffc2)  # F5
        dialog = wait(lambda: find(app, "dialog", "魔方命令串", showing=True))
        field = dialog and find(dialog, "text")
        if field:
            field.queryEditableText().setTextContents("R+;T+;")
            act(find(dialog, "push button", "确定"))
        check(wait(lambda: cells() == cli_net(SCRAMBLE + "T+;R+;T+;")), "the command text set through the interface runs")

        # The input toggle: its action asks the same question a click asks.
        act(tool("输入"))
        check(answer("取消"), "the input toggle's action asks whether to preset the cube")
        click(tool("输入"))
        check(answer("取消"), "a click asks the same")
        act(tool("输入"))
        check(answer("是(Y)"), "preset with the current cube")
        check(wait(lambda: "方向键" in net.description), "input mode by the toggle's action")

        # The input tool: opened by the 3D pane's action (the double click), its field
        # set through the text interface, read by OK.
        act(cube)
        dialog = wait(lambda: find(app, "dialog", "用户输入魔方工具", showing=True))
        field = find(dialog, "text")
        act(find(dialog, "radio button", "复原"))
        restored = wait(lambda: (lambda t: t if len(t) == 54 else None)(field.queryText().getText(0, -1)))
        act(find(dialog, "radio button", "删除四周小块颜色"))
        wait(lambda: field.queryText().getText(0, -1) != restored)
        field.queryEditableText().setTextContents(restored)
        act(find(dialog, "push button", "确定"))
        solved = cli_net("")
        check(wait(lambda: cells() == solved), "the text set through the interface paints the net")

        # The keyboard alone: F6 to the net, Home, then Right over every sticker in the
        # picture's reading order, a digit for its colour and Enter.
        target = cli_net(TARGET)
        digit = {solved[9 * k + 4].split(" ")[-1]: str(k + 1) for k in range(6)}
        centre = {9 * k + 4 for k in range(6)}
        cube.queryAction().doAction(1)  # focus, as a screen reader's "go to" does

        for _ in range(3):
            if net.getState().contains(pyatspi.STATE_FOCUSED):
                break
            key(0xffc3)  # F6
            time.sleep(0.2)
        check(net.getState().contains(pyatspi.STATE_FOCUSED), "F6 brings the focus to the net")
        order = sorted(range(54), key=lambda i: (lambda b: (b.y + b.height // 2, b.x))(
            table.getAccessibleAt(i // 3, i % 3).queryComponent().getExtents(pyatspi.DESKTOP_COORDS)))
        key(0xff50)  # Home
        for i in order:
            if i not in centre:
                key(ord(digit[target[i].split(" ")[-1]]))
                key(0xff0d)  # Enter
            key(0xff53)  # Right
        check(wait(lambda: cells()[order[-1]] == target[order[-1]]), "the last sticker is painted")
        act(tool("输入"))
        answer("确定", 3)  # a centre's mark may be corrected, which is told in a box
        check(wait(lambda: "方向键" not in net.description), "the toggle ends input")
        check(wait(lambda: cells() == target, 10), "the cube entered by keyboard is the move engine's")
        check(wait(lambda: len(heard) > 0, 5), "messages are announced: " + " | ".join(heard[-2:]))
    finally:
        proc.kill()
        proc.wait()
    print("%d failed" % len(failures))
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
