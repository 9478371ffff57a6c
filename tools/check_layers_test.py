#!/usr/bin/env python3
"""Tests of check_layers.py on small made-up source trees."""

import os
import subprocess
import sys
import tempfile
import unittest

CHECKER = os.path.join(os.path.dirname(os.path.abspath(__file__)), "check_layers.py")

# A tree that keeps to its layers: each file includes only what its layer may use.
CLEAN = {
    "platform/CMakeLists.txt": "add_library(zandor_platform STATIC fs_a.cpp)\n"
                               "add_library(zandor_shell STATIC shell_b.cpp)\n",
    "platform/fs_a.h": "#pragma once\n#include <string>\n",
    "platform/fs_a.cpp": '#include "platform/fs_a.h"\n',
    "platform/shell_b.cpp": '#include <gio/gio.h>\n#include "platform/fs_a.h"\n',
    "search/CMakeLists.txt": "add_library(zandor_search STATIC walk.cpp)\n",
    "search/walk.h": '#include "platform/fs_a.h"\n',
    "search/walk.cpp": '#include "search/walk.h"\n',
    "results/CMakeLists.txt": "add_library(zandor_results_core STATIC row.cpp)\n"
                              "add_library(zandor_results_ui STATIC pane.cpp)\n",
    "results/row.h": '#include "search/walk.h"\n',
    "results/row.cpp": '#include "results/row.h"\n',
    "results/pane.h": '#include <QWidget>\n#include "results/row.h"\n',
    "results/pane.cpp": '#include "results/pane.h"\n#include "res/ids.h"\n'
                        '#include "text/shown.h"\n',
    "text/CMakeLists.txt": "add_library(zandor_ui_text STATIC shown.cpp)\n",
    "text/shown.h": '#include <QString>\n#include "platform/fs_a.h"\n',
    "text/shown.cpp": '#include "text/shown.h"\n',
    "criteria/form.cpp": '#include <QWidget>\n#include "text/shown.h"\n',
    "cli/main.cpp": '#include "results/row.h"\n',
    "app/frame.cpp": '#include "results/pane.h"\n',
    "res/ids.h": "#pragma once\n",
}


def run_checker(files):
    with tempfile.TemporaryDirectory() as root:
        for relative, text in files.items():
            path = os.path.join(root, relative)
            os.makedirs(os.path.dirname(path), exist_ok=True)
            with open(path, "w", encoding="utf-8") as out:
                out.write(text)
        done = subprocess.run([sys.executable, CHECKER, root], capture_output=True, text=True,
                              check=False)
        return done.returncode, done.stdout.splitlines()


class CheckLayersTest(unittest.TestCase):
    def test_a_tree_that_keeps_its_layers_passes(self):
        self.assertEqual(run_checker(CLEAN), (0, []))

    def test_an_include_from_a_lower_layer_to_a_higher_one_fails(self):
        files = dict(CLEAN)
        files["search/walk.cpp"] = '#include "search/walk.h"\n#include "results/row.h"\n'
        self.assertEqual(run_checker(files), (1, [
            "search/walk.cpp (search) includes results/row.h (results core), "
            "which it may not use"]))

    def test_the_layer_comes_from_the_library_not_the_folder(self):
        files = dict(CLEAN)
        files["results/row.cpp"] = '#include "results/row.h"\n#include "results/pane.h"\n'
        self.assertEqual(run_checker(files), (1, [
            "results/row.cpp (results core) includes results/pane.h (results ui), "
            "which it may not use"]))

    def test_a_header_without_a_source_takes_the_library_that_lists_it(self):
        files = dict(CLEAN)
        files["results/task.h"] = "#pragma once\n#include <thread>\n"
        files["results/row.h"] = '#include "search/walk.h"\n#include "results/task.h"\n'
        self.assertEqual(run_checker(files), (1, [
            "results/row.h (results core) includes results/task.h (results ui), "
            "which it may not use"]))
        files["results/CMakeLists.txt"] = ("add_library(zandor_results_core STATIC row.cpp task.h)\n"
                                           "add_library(zandor_results_ui STATIC pane.cpp)\n")
        self.assertEqual(run_checker(files), (0, []))

    def test_cli_and_the_results_pane_do_not_use_each_other(self):
        files = dict(CLEAN)
        files["cli/main.cpp"] = '#include "results/pane.h"\n'
        self.assertEqual(run_checker(files), (1, [
            "cli/main.cpp (cli) includes results/pane.h (results ui), which it may not use"]))

    def test_the_form_does_not_use_the_results_pane(self):
        files = dict(CLEAN)
        files["criteria/form.cpp"] = '#include "text/shown.h"\n#include "results/pane.h"\n'
        self.assertEqual(run_checker(files), (1, [
            "criteria/form.cpp (criteria) includes results/pane.h (results ui), "
            "which it may not use"]))

    def test_the_panes_texts_use_no_pane_and_no_qt_free_layer_uses_them(self):
        files = dict(CLEAN)
        files["text/shown.cpp"] = '#include "text/shown.h"\n#include "results/pane.h"\n'
        files["search/walk.cpp"] = '#include "search/walk.h"\n#include "text/shown.h"\n'
        self.assertEqual(run_checker(files), (1, [
            "search/walk.cpp (search) includes text/shown.h (ui text), which it may not use",
            "text/shown.cpp (ui text) includes results/pane.h (results ui), "
            "which it may not use"]))

    def test_a_qt_header_in_a_qt_free_layer_fails(self):
        files = dict(CLEAN)
        files["platform/fs_a.cpp"] = '#include "platform/fs_a.h"\n#include <QString>\n'
        files["search/walk.h"] = '#include <QtCore/QList>\n#include "platform/fs_a.h"\n'
        self.assertEqual(run_checker(files), (1, [
            "platform/fs_a.cpp (platform, Qt-free) includes the Qt header <QString>",
            "search/walk.h (search, Qt-free) includes the Qt header <QtCore/QList>"]))

    def test_gio_outside_the_shell_services_fails(self):
        files = dict(CLEAN)
        files["results/pane.cpp"] = '#include "results/pane.h"\n#include <glib.h>\n'
        self.assertEqual(run_checker(files), (1, [
            "results/pane.cpp (results ui) includes <glib.h>: only the shell services use GIO"]))

    def test_files_that_include_each_other_fail(self):
        files = dict(CLEAN)
        files["search/walk.h"] = '#include "platform/fs_a.h"\n#include "search/more.h"\n'
        files["search/more.h"] = '#include "walk.h"\n'
        self.assertEqual(run_checker(files), (1, [
            "include circle: search/walk.h -> search/more.h -> search/walk.h"]))

    def test_res_is_a_leaf_the_qt_free_layers_do_not_read(self):
        files = dict(CLEAN)
        files["results/row.cpp"] = '#include "results/row.h"\n#include "res/ids.h"\n'
        files["res/ids.h"] = '#include "platform/fs_a.h"\n'
        self.assertEqual(run_checker(files), (1, [
            "res/ids.h (res) includes platform/fs_a.h (platform), which it may not use",
            "results/row.cpp (results core) includes res/ids.h (res), which it may not use"]))


if __name__ == "__main__":
    unittest.main()
