"""The end-to-end cases; importing this package registers them all."""

from . import startup, first_start, new_game, enter_number, menu  # noqa: F401
from . import oracles, table_pictures, play, hints, resize, victory, release, game_end  # noqa: F401
from . import saved_game, change_deck, help_about, analyser  # noqa: F401
