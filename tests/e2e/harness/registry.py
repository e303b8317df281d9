"""The list of cases: each has a name, a function that takes the program's helper, and whether
the user has started the program before (the settings key exists), which is what most cases want."""

import collections
import functools

Case = collections.namedtuple("Case", "name function returning_user")

CASES = []


def case(name, returning_user=True):
    def register(function):
        CASES.append(Case(name, function, returning_user))
        return function
    return register


def case_table(prefix, rows, returning_user=True):
    """Registers one case per row of a table: rows are (label, keyword arguments)."""
    def register(function):
        for label, arguments in rows:
            CASES.append(Case("%s.%s" % (prefix, label), functools.partial(function, **arguments),
                              returning_user))
        return function
    return register
