#!/usr/bin/env python3
"""The layering check refuses every include that goes up or sideways."""

import os
import subprocess
import sys
import tempfile
import unittest

SCRIPT = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "..", "scripts",
                      "check-layers.py")

# A small tree in which every layer uses what it may.
SOUND = {
    "platform/rtl/sysutils.h": "#include <string>\n",
    "platform/rtl/classes.h": '#include "sysutils.h"\n#include "platform/rtl/sysutils.h"\n',
    "platform/vcl/controls.h": '#include <QWidget>\n#include "platform/rtl/classes.h"\n'
                               '#include "platform/vcl/gfx/graphics.h"\n',
    "platform/vcl/gfx/graphics.h": '#include <QtGui>\n#include "platform/rtl/sysutils.h"\n',
    "platform/vcl/gfx/canvas.cpp": '#include <QtGui/QPainter>\n#include "graphics.h"\n',
    "platform/vcl/grids/grids.h": '#include "platform/vcl/controls.h"\n#include "platform/vcl/gfx/graphics.h"\n',
    "platform/desktop/tray.h": '#include <QtDBus>\n#include "platform/vcl/controls.h"\n',
    "model/player.cpp": '#include "platform/rtl/classes.h"\n',
    "zip/zatypes.h": '#include "platform/rtl/classes.h"\n',
    "zip/zaitemdata.cpp": '#include <zlib.h>\n#include "zatypes.h"\n',
    "grid/support/gridtext.h": '#include "platform/vcl/grids/grids.h"\n',
    "grid/advgrid.h": '#include "grid/support/gridtext.h"\n',
    "controls/numeric/numedit.h": '#include "platform/vcl/controls.h"\n',
    "desktop/trayicon.h": '#include "platform/desktop/tray.h"\n',
    "app/main.cpp": '#include "grid/advgrid.h"\n#include "zip/zatypes.h"\n#include "model/player.h"\n',
    "model/player.h": "",
}


def run_check(tree):
    with tempfile.TemporaryDirectory(prefix="vz-layers-") as root:
        for rel, text in tree.items():
            path = os.path.join(root, rel)
            os.makedirs(os.path.dirname(path), exist_ok=True)
            with open(path, "w") as f:
                f.write(text)
        done = subprocess.run([sys.executable, SCRIPT, root], capture_output=True, text=True)
        return done.returncode, done.stdout


class LayeringCheck(unittest.TestCase):
    def test_a_tree_that_keeps_to_its_layers_passes(self):
        code, out = run_check(SOUND)
        self.assertEqual(code, 0, out)

    def test_forbidden_includes_fail_and_are_named(self):
        cases = [
            ("model/bad.cpp", '#include "platform/vcl/controls.h"\n',
             'model/bad.cpp:1: the model layer includes "platform/vcl/controls.h" of the vcl layer'),
            ("zip/bad.cpp", '// first\n#include "platform/vcl/controls.h"\n',
             'zip/bad.cpp:2: the zip layer includes "platform/vcl/controls.h" of the vcl layer'),
            ("platform/rtl/bad.h", '#include "platform/vcl/controls.h"\n', "the rtl layer includes"),
            ("platform/vcl/bad.h", '#include "grid/support/gridtext.h"\n',
             "the vcl layer includes"),
            ("grid/support/bad.h", '#include "grid/advgrid.h"\n',
             "the grid/support layer includes"),
            ("controls/numeric/bad.h", '#include "grid/support/gridtext.h"\n',
             "the controls/numeric layer includes"),
            ("desktop/bad.h", '#include "model/player.h"\n', "the desktop layer includes"),
            ("model/bad.h", '#include "zip/zatypes.h"\n', "the model layer includes"),
            ("grid/support/bad.cpp", "#include <QWidget>\n", "the grid/support layer includes Qt"),
            ("app/bad.cpp", "#  include <QtWidgets/QApplication>\n", "the app layer includes Qt"),
            ("platform/rtl/bad.cpp", "#include <QString>\n", "the rtl layer includes Qt"),
            ("grid/bad.cpp", "#include <zlib.h>\n", "the grid layer includes zlib"),
            ("model/bad.cpp", "#include <zlib.h>\n", "the model layer includes zlib"),
            ("loose/bad.cpp", "", "lies in no layer"),
            ("model/bad2.cpp", '#include "../platform/vcl/controls.h"\n',
             "the model layer includes"),
        ]
        for rel, text, expected in cases:
            with self.subTest(rel=rel, text=text):
                code, out = run_check({**SOUND, rel: text})
                self.assertEqual(code, 1, out)
                self.assertIn(expected, out)
                self.assertEqual(out.count(rel + ":") + out.count(rel + " "), 1, out)

    def check_refuses(self, rel, text, expected):
        code, out = run_check({**SOUND, rel: text})
        self.assertEqual(code, 1, out)
        self.assertIn(expected, out)

    def test_qt_module_headers_count_as_qt(self):
        for header in ("QtWidgets", "QtCore", "QtCore/qstring.h", "qglobal.h"):
            with self.subTest(header=header):
                self.check_refuses("model/bad.h", f"#include <{header}>\n",
                                   f"model/bad.h:1: the model layer includes Qt (<{header}>)")

    def test_drawing_controls_and_grid_of_the_visual_layer_are_layers(self):
        self.check_refuses("platform/vcl/gfx/bad.cpp", '#include "platform/vcl/grids/grids.h"\n',
                           'the vcl/gfx layer includes "platform/vcl/grids/grids.h" of the '
                           "vcl/grids layer")
        self.check_refuses("platform/vcl/gfx/bad.cpp", '#include "platform/vcl/controls.h"\n',
                           "the vcl/gfx layer includes")
        self.check_refuses("platform/vcl/bad.cpp", '#include "platform/vcl/grids/grids.h"\n',
                           "the vcl layer includes")
        self.check_refuses("platform/vcl/grids/bad.cpp", '#include "platform/desktop/tray.h"\n',
                           "the vcl/grids layer includes")

    def test_a_header_of_the_sources_in_angle_brackets_is_checked(self):
        self.check_refuses("model/bad.cpp", "#include <platform/vcl/controls.h>\n",
                           'the model layer includes "platform/vcl/controls.h" of the vcl layer')

    def test_a_header_beside_the_file_belongs_to_the_files_layer(self):
        # "zatypes.h" beside a zip source is the zip engine's own; the same name
        # from a model source is not beside it and lies in no layer.
        code, out = run_check({**SOUND, "model/x.cpp": '#include "zatypes.h"\n'})
        self.assertEqual(code, 1, out)
        self.assertIn("lies in no layer", out)


if __name__ == "__main__":
    unittest.main()
