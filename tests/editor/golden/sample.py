#!/usr/bin/env python
"""Module docstring
over two lines."""
import os

@decorator.name
def count(text, limit=10, ratio=.5, big=0x1F):
    # split the text
    words = text.split()  # inline
    if len(words) > limit and not None:
        return 'too "many"' + "it's" + f"{ratio:1.2e}"
    return 3.14j
s = '''unclosed triple
