"""The list of cases: each has a name, a function that takes the program's helper, whether the
user has started the program before (the settings key exists), which is what most cases want, and
whether it runs offline: such a case checks the suite's own tools, needs no program and gets None."""

import collections
import functools

Case = collections.namedtuple("Case", "name function returning_user offline")

CASES = []


def case(name, returning_user=True, offline=False):
    def register(function):
        CASES.append(Case(name, function, returning_user, offline))
        return function
    return register


def case_table(prefix, rows, returning_user=True):
    """Registers one case per row of a table: rows are (label, keyword arguments)."""
    def register(function):
        for label, arguments in rows:
            CASES.append(Case("%s.%s" % (prefix, label), functools.partial(function, **arguments),
                              returning_user, False))
        return function
    return register
