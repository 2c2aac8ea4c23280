"""YXNBEST on the real brain: the lines it reports are legal, lead to the move played and
score each move as a search of it alone with the whole window; without it nothing changes."""

import unittest

from analysis_check import check_analysis
from brain import brain_command


class AnalysisTest(unittest.TestCase):
    def test_reports_hold_to_the_search_and_leave_the_plain_answers_alone(self):
        check_analysis(self, brain_command())


if __name__ == "__main__":
    unittest.main()
