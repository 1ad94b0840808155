"""The whole skin set: one window record per skin INI file."""
import dialog_layouts
import main_layout


def windows():
    return [main_layout.build(), dialog_layouts.composite(), dialog_layouts.profile(),
            dialog_layouts.update()]
