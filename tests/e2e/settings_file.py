#!/usr/bin/python3
"""Choosing a settings file that cannot be read on the start page: the wizard goes on, and the
user is told which file was not read, why, and that nothing was preselected from it."""
import os
import sys

sys.path.insert(0, os.path.join(os.path.dirname(__file__), "lib"))
from kvrun import SAMPLE, check, finish, kvhost, workdir  # noqa: E402

folder = workdir("settings")
files = {
    "deep.kvx": ("<a>" * 100000, "its elements are nested more than 32 levels deep"),
    "broken.kvx": ('<NyDataExtraction><Property name="Layer"', "it is not well-formed XML (line 1, column 29)"),
    "good.kvx": ('<?xml version="1.0" ?>\n<NyDataExtraction><Property name="Layer" /></NyDataExtraction>', None),
}
for name, (text, _) in files.items():
    with open(os.path.join(folder, name), "w") as f:
        f.write(text)

for name, (_, why) in files.items():
    path = os.path.join(folder, name)
    run = kvhost("click 1002\nfile %s\nclick 1\nclick 2\n" % path, "DATAEXTRACTION\n", drawing=SAMPLE)
    check(run.returncode == 0 and not run.stderr, name + ": the wizard goes on to the next page", run)
    line = "\nThe settings file %s was not read: %s. No property is preselected from it." % (path, why)
    if why:
        check(line in run.stdout, name + ": the user is told " + repr(line), run)
    else:
        check("was not read" not in run.stdout, name + ": nothing to tell", run)

# The same in French.
path = os.path.join(folder, "broken.kvx")
run = kvhost("click 1002\nfile %s\nclick 1\nclick 2\n" % path, "DATAEXTRACTION\n", drawing=SAMPLE, lang="fr")
check("\nLe fichier d'extraction %s n'a pas été lu : ce n'est pas du XML bien formé (ligne 1, colonne 29). "
      "Aucune propriété n'en est présélectionnée." % path in run.stdout, "the French text", run)
finish()
