"""Every picture the generator makes, in one list."""
import emblem
import ending
import fontpicture
import messages
import scenes
import screens


def all_pictures():
    return (fontpicture.pictures() + screens.all_pictures() + emblem.emblem_pictures()
            + messages.pictures() + ending.pictures() + scenes.pictures() + emblem.splash_pictures())


def messages_markdown():
    return messages.markdown()
