"""The web server's API against a running tools/serve.py: a whole game against the real
engine, every kind of bad request, brains that crash, print garbage or hang, and the brain
processes ending with their game, their page and the server."""

import os
import tempfile
import time
import unittest

from fakes_helper import fake, read_lines
from server_helper import Server, all_ended, wait_for

BRAIN = os.environ.get("FIVEFOLD_BRAIN")
# The person's moves against the engine: spaced along two edges, so that they never make a
# threat and the engine is free to build its five.
HARMLESS = [(x, y) for y in (0, 14) for x in range(0, 15, 2)]


def free_square(state):
    taken = {(x, y) for x, y, _ in state["stones"]}
    return next(square for square in HARMLESS if square not in taken)


def stones_in(squares, state, colour):
    mine = {(x, y) for x, y, c in state["stones"] if c == colour}
    return sum(tuple(square) in mine for square in squares)


@unittest.skipUnless(BRAIN, "FIVEFOLD_BRAIN names the brain to test")
class WholeGameTest(unittest.TestCase):
    def test_engine_wins_to_a_five_after_a_takeback_and_shows_its_threats(self):
        server = Server(BRAIN)
        try:
            game = server.new_game(mode="play", human="white", time_ms=1000, max_depth=6)
            state = server.settled(game["id"])
            taken_back = False
            keyed = []  # (thoughts, state) of the moves that a keyed threat line decided
            searches = []  # the search lines, raw and in words
            while not state["over"]:
                x, y = free_square(state)
                status, state = server.request("POST", "/api/games/%s/move" % game["id"],
                                               {"x": x, "y": y})
                self.assertEqual(status, 200, state)
                state = server.settled(game["id"])
                thoughts = state["thoughts"]
                if thoughts and any(" M3 " in line["line"] for line in thoughts["lines"]):
                    keyed.append((thoughts, state))
                searches += [line for line in (thoughts or {"lines": []})["lines"]
                             if " AB: " in line["line"]]
                if len(state["stones"]) >= 6 and not taken_back and not state["over"]:
                    before = state["stones"]
                    status, state = server.request(
                        "POST", "/api/games/%s/takeback" % game["id"], {})
                    self.assertEqual((status, state["stones"]), (200, before[:-2]))
                    state = server.settled(game["id"])
                    self.assertFalse(state["over"], state["result"])
                    taken_back = True
            self.assertTrue(taken_back)
            # The depth limit reached the brain: its searches stop at depth 6, and say so.
            self.assertTrue(any("depth limit" in s["text"] for s in searches), searches)
            self.assertFalse([s for s in searches if " D:6 " not in s["line"]])
            self.assertEqual((state["result"]["reason"], state["result"]["winner"]),
                             ("five", "black"), state["result"])
            self.assertIn("wins with five in a row", state["result"]["text"])
            self.assertEqual(stones_in(state["five"], state, 1), 5)
            self.assertEqual(state["stones"][-1][:2], state["thoughts"]["move"])
            words = {line["line"]: line["text"] for line in state["thoughts"]["lines"]}
            self.assertIn("five", words["MESSAGE THR: M4"])
            # A three's window holds the engine's three and the four it made of it.
            self.assertTrue(keyed, "no move was decided by an own three")
            for thoughts, seen in keyed:
                self.assertIn(thoughts["move"], thoughts["squares"])
                self.assertGreaterEqual(stones_in(thoughts["squares"], seen, 1), 4, thoughts)
            self.assertTrue(wait_for(lambda: not server.brains(), 5), "the brain outlived its game")
        finally:
            self.assertTrue(server.stop())


class BadRequestTest(unittest.TestCase):
    def test_each_bad_request_gets_its_reason_and_the_game_goes_on(self):
        # The fake answers 100 ms into its 300 ms, and does not know TAKEBACK.
        server = Server(fake("slow", -200), "--max-games", "2")
        try:
            game = server.new_game(mode="play", human="black", time_ms=300)
            move = "/api/games/%s/move" % game["id"]
            server.settled(game["id"])
            cases = [
                ("POST", move, {"raw": b'{"x": 1'}, 400, "malformed JSON"),
                ("POST", move, {"raw": b"[7, 7]"}, 400, "JSON object"),
                ("POST", move, {"body": {"x": "7", "y": 7}}, 400, "whole numbers"),
                ("POST", move, {"body": {"x": 7, "y": True}}, 400, "whole numbers"),
                ("POST", move, {"body": {"x": 15, "y": 0}}, 400, "off the 15x15 board"),
                ("POST", move, {"body": {"x": 0, "y": -1}}, 400, "off the"),
                ("POST", move, {"raw": b"x=7&y=7", "content_type": "text/plain"}, 415, "json"),
                ("POST", move, {"raw": b" " * 100000}, 413, "over"),
                ("POST", "/api/games/0123abcd/move", {"body": {"x": 7, "y": 7}}, 404, "no game"),
                ("GET", "/api/games/0123abcd", {}, 404, "no game"),
                ("POST", "/api/games/%s/pace" % game["id"], {"body": {}}, 404, "no action"),
                ("POST", "/api/games/" + game["id"], {"body": {}}, 405, "POST"),
                ("POST", "/api/games", {"body": {"width": 4}}, 400, "width"),
                ("POST", "/api/games", {"body": {"mode": "chess"}}, 400, "mode"),
                ("POST", "/api/games", {"body": {"brain": 3}}, 400, "no brain 3"),
                ("POST", "/api/games", {"body": {"time_ms": 1.5}}, 400, "time_ms"),
                ("GET", "/../serve.py", {}, 403, "outside"),
                ("GET", "/%2e%2e/brain.py", {}, 403, "outside"),
                ("GET", "/..%2f..%2fREADME.md", {}, 403, "outside"),
                ("GET", "/missing.js", {}, 404, "no such file"),
            ]
            for method, path, send, status, reason in cases:
                with self.subTest(method=method, path=path, send=send):
                    got, answer = server.request(method, path, **send)
                    self.assertEqual(got, status, answer)
                    self.assertIn(reason.lower(), answer["error"].lower())
                    self.assertNotIn("\n", answer["error"])

            status, state = server.request("POST", move, {"x": 7, "y": 7})
            self.assertEqual((status, state["thinking"]), (200, True))
            status, answer = server.request("POST", move, {"x": 8, "y": 8})
            self.assertEqual((status, answer["error"]), (409, "not your turn: fivefold is thinking"))
            state = server.settled(game["id"])
            self.assertEqual(len(state["stones"]), 2)
            status, answer = server.request("POST", move, {"x": 7, "y": 7})
            self.assertEqual((status, answer["error"]), (409, "7,7 is taken"))
            # Refused by the brain, the takeback still happens; the brain is then sent the
            # whole position and plays on.
            status, state = server.request("POST", "/api/games/%s/takeback" % game["id"], {})
            self.assertEqual((status, state["stones"]), (200, []))
            server.settled(game["id"])
            server.request("POST", move, {"x": 7, "y": 7})
            state = server.settled(game["id"])
            self.assertEqual((len(state["stones"]), state["over"]), (2, False), state)

            second = server.new_game(mode="play")
            status, answer = server.request("POST", "/api/games", {"mode": "play"})
            self.assertEqual(status, 503)
            self.assertIn("2 games are running", answer["error"])
            server.request("POST", "/api/games/%s/resign" % second["id"], {})
            self.assertEqual(server.request("POST", "/api/games", {"mode": "play"})[0], 201)
            self.assertEqual(server.state(game["id"])["stones"], state["stones"])
            self.assertIsNone(server.process.poll())
        finally:
            self.assertTrue(server.stop())
        self.assertNotIn("Traceback", server.errors())


class FailingBrainTest(unittest.TestCase):
    def test_a_crashing_a_garbled_and_a_hung_brain_each_lose_and_the_server_goes_on(self):
        with tempfile.TemporaryDirectory() as tmp:
            pidfile = os.path.join(tmp, "pids")
            server = Server(fake("crash", 1), "--brain", "garbage=" + fake("garbage"),
                            "--brain", "hang=" + fake("hang", pidfile), "--max-games", "1")
            try:
                for brain, reason, text in ((0, "crash", "loses by a crash"),
                                            (1, "garbage", "loses by unreadable output"),
                                            (2, "time_forfeit", "loses by time forfeit")):
                    with self.subTest(reason=reason):
                        started = time.monotonic()
                        game = server.new_game(mode="play", human="white", brain=brain,
                                               time_ms=100)
                        state = server.settled(game["id"], 10)
                        self.assertEqual(state["result"]["reason"], reason, state)
                        self.assertIn("black (%s) %s" % (state["black"], text),
                                      state["result"]["text"])
                        self.assertLess(time.monotonic() - started, 5)
                        self.assertTrue(wait_for(lambda: not server.brains(), 5))
                pids = [int(p) for p in read_lines(pidfile)[0].split()]
                self.assertTrue(all_ended(pids), "the hung brain's group outlived its game")
                self.assertEqual(server.request("GET", "/api/brains")[1]["brains"],
                                 ["fivefold", "garbage", "hang"])
            finally:
                self.assertTrue(server.stop())


class LifetimeTest(unittest.TestCase):
    def test_watched_brains_keep_the_pace_and_end_with_their_page_or_the_server(self):
        server = Server(fake("random"), "--idle", "1.5")
        try:
            watched = server.new_game(mode="watch", width=7, height=7, opening="none",
                                      time_ms=300, delay_ms=0, paused=True)
            game_id = watched["id"]
            self.assertTrue(wait_for(lambda: len(server.state(game_id)["stones"]) == 1, 5))
            time.sleep(0.5)  # paused: no second move comes
            state = server.state(game_id)
            self.assertEqual((len(state["stones"]), state["paused"]), (1, True))
            self.assertEqual(len(server.brains()), 2)
            for steps in (2, 3):
                server.request("POST", "/api/games/%s/pace" % game_id, {"step": True})
                self.assertTrue(wait_for(
                    lambda: len(server.state(game_id)["stones"]) == steps, 5))
            server.request("POST", "/api/games/%s/pace" % game_id, {"paused": False})
            state = wait_for(lambda: (lambda s: s if s["over"] else None)(server.state(game_id)), 20)
            self.assertIn(state["result"]["reason"], ("five", "full_board"), state)
            self.assertEqual(len(state["five"]), 5 if state["result"]["reason"] == "five" else 0)
            self.assertTrue(wait_for(lambda: not server.brains(), 5))

            left = server.new_game(mode="play", human="white")  # its page never asks again
            self.assertTrue(wait_for(lambda: server.brains(), 5))
            self.assertTrue(wait_for(lambda: not server.brains(), 5), "an idle game kept its brain")
            self.assertEqual(server.request("GET", "/api/games/" + left["id"])[0], 404)

            closed = server.new_game(mode="play", human="white")
            self.assertTrue(wait_for(lambda: server.brains(), 5))
            self.assertEqual(server.request("DELETE", "/api/games/" + closed["id"])[0], 200)
            self.assertTrue(wait_for(lambda: not server.brains(), 1))

            server.new_game(mode="watch", paused=True)
            brains = wait_for(lambda: len(server.brains()) == 2 and server.brains(), 5)
            self.assertTrue(brains)
        finally:
            self.assertTrue(server.stop())
        self.assertTrue(all_ended(brains), "brains outlived the server")


if __name__ == "__main__":
    unittest.main()
