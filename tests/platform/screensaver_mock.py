'''A desktop's screen saver service for python3-dbusmock: Inhibit answers 7 at
/org/freedesktop/ScreenSaver and 8 at /ScreenSaver, at the paths listed in the parameter "paths".'''
BUS_NAME = 'org.freedesktop.ScreenSaver'
MAIN_OBJ = '/org/freedesktop/ScreenSaver'
MAIN_IFACE = 'org.freedesktop.ScreenSaver'
SYSTEM_BUS = False


def load(mock, parameters):
    for path in parameters['paths']:
        methods = [('Inhibit', 'ss', 'u', f'ret = {7 if path == MAIN_OBJ else 8}'), ('UnInhibit', 'u', '', '')]
        if path == MAIN_OBJ:
            mock.AddMethods(MAIN_IFACE, methods)
        else:
            mock.AddObject(path, MAIN_IFACE, {}, methods)
