#!/usr/bin/env python3
"""Whole roads through the built reelctl-script, read back from its JSON the
way an outside caller reads them: the typical road, a split, the ten-coin
compositions, the messages and the close notice."""
import json
import subprocess
import sys
import unittest

PROGRAM = None


def run(script, *options):
    done = subprocess.run([PROGRAM, *options], input=script.encode("utf-8"), capture_output=True, check=False)
    if done.returncode != 0:
        raise AssertionError(f"exit {done.returncode}: {done.stderr.decode('utf-8', 'replace')}")
    return [json.loads(line) for line in done.stdout.decode("utf-8").splitlines()]


def dumps(script, *options):
    return [line["dump"] for line in run(script, *options) if "dump" in line]


def greyed(dump, reel):
    return [row for row in range(21) if not dump["controls"][str(1101 + 100 * reel + row)]["enabled"]]


def window(dump, reel):
    return [dump["controls"][str(1065 + 3 * reel + line)]["image"] for line in range(3)]


def marked(dump, reel, mark):
    return [row for row, (_, m) in enumerate(dump["state"]["columns"][reel]) if m == mark]


class TypicalRoad(unittest.TestCase):
    def test_center_first_big_bonus_switches_at_press_19(self):
        first, second = dumps("menu 40026\npicktext 1057 BIG BONUS\npick 1058 0\ndump\nclick 1240\ndump\n")
        self.assertEqual(first["caption"], "Vostrelの リール制御 [ ３枚掛 中→左→右 ]")
        self.assertEqual(first["state"]["pattern_code"], 0x20)
        self.assertEqual(first["state"]["slide_table"], 34)
        self.assertEqual(first["state"]["awaiting_stop"], 1)
        self.assertEqual(greyed(first, 1), [1, 2, 17, 18])  # positions 2, 3, 18, 19
        self.assertEqual(first["controls"]["1058"]["items"], ["(1) 25%", "(2) 25%", "(3) 25%", "(4) 25%"])

        state = second["state"]
        self.assertEqual(state["pattern_code"], 0x23)
        self.assertEqual(state["slide_table"], 35)
        self.assertEqual(state["stop_pos"][1], 18)
        self.assertEqual(state["awaiting_stop"], 0)
        self.assertEqual(marked(second, 1, 2), [18])
        self.assertEqual(marked(second, 1, 1), [])
        self.assertTrue(second["controls"]["1240"]["checked"])
        self.assertEqual(window(second, 1), ["VS7S", "VSMS", "VSOS"])  # seven, moon, orange
        self.assertTrue(second["controls"]["101"]["enabled"])
        self.assertFalse(second["controls"]["102"]["enabled"])
        self.assertEqual(greyed(second, 1), [1, 2, 17, 18])
        self.assertEqual(second["controls"]["1219"]["text"], "0")


class LeftFirst(unittest.TestCase):
    def test_split_offer_and_pick(self):
        offer, picked = dumps("picktext 1057 BIG BONUS\npick 1059 0\nclick 1122\ndump\npick 1058 1\ndump\n")
        self.assertEqual(offer["controls"]["1058"]["items"], ["(1) 50%", "(2) 50%"])
        self.assertTrue(offer["controls"]["1058"]["enabled"])
        self.assertEqual(offer["focus"], 1058)
        # BIG group, left stop 0, table choice 1: table 6. No center press switches it at
        # this left stop, so the center and right columns come at once.
        self.assertEqual(picked["state"]["slide_table"], 6)
        self.assertEqual(picked["state"]["awaiting_stop"], 0)
        self.assertNotEqual(marked(picked, 1, 1), [])
        self.assertTrue(picked["controls"]["1122"]["checked"])

    def test_ten_coin_compositions(self):
        (stop_order_1,) = dumps("menu 40025\npicktext 1057 10枚小役\npick 1059 0\nclick 1122\ndump\n")
        self.assertEqual(stop_order_1["controls"]["1058"]["items"], ["(1) 12.5%", "(2) 12.5%", "(3) 75%"])
        self.assertEqual(stop_order_1["state"]["ten_coin"]["codes"], [75, 77, 65, 0])
        self.assertEqual(stop_order_1["state"]["ten_coin"]["weights"], [125, 125, 750, 0])

        (single,) = dumps("picktext 1057 10枚小役\npick 1059 0\nclick 1122\nclick 1234\ndump\n")
        self.assertEqual(single["controls"]["1058"]["items"], [])
        self.assertEqual(single["state"]["slide_table"], 65)
        self.assertTrue(single["controls"]["101"]["enabled"])


class Messages(unittest.TestCase):
    def test_unmatched_texts_show_their_message_once(self):
        first, second = dumps("settext 1057 BIG\ncommand 1057 9\ndump\ndump\n")
        self.assertEqual(first["messages"], [{"text": "成立役を選択して下さい．", "caption": "ﾘｰﾙ制御"}])
        self.assertEqual(second["messages"], [])
        self.assertEqual(first["focus"], 1057)

    def test_close_notice_reaches_only_a_running_companion(self):
        (with_companion,) = dumps("close\ndump\n", "--companion")
        self.assertEqual(with_companion["notice"], "01000101" + "00" * 28)
        self.assertEqual(with_companion["ended"], 1)
        (alone,) = dumps("close\ndump\n")
        self.assertIsNone(alone["notice"])
        self.assertEqual(alone["ended"], 1)


if __name__ == "__main__":
    PROGRAM = sys.argv.pop(1)
    unittest.main()
