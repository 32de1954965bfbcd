#include "VentanaLanzador.h"

#ifdef MIRAVEL_X11
#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <cstdlib>
#include <vector>

namespace {

int IgnorarError(Display*, XErrorEvent*) {
    return 0;
}

Atom Atomo(Display* d, const char* nombre) {
    return XInternAtom(d, nombre, False);
}

// Ventanas administradas (_NET_CLIENT_LIST); sin administrador de ventanas,
// los hijos de la raíz.
std::vector<Window> VentanasPrincipales(Display* d, Window raiz) {
    std::vector<Window> ventanas;
    Atom tipo = 0;
    int formato = 0;
    unsigned long cantidad = 0, resto = 0;
    unsigned char* datos = nullptr;
    if (XGetWindowProperty(d, raiz, Atomo(d, "_NET_CLIENT_LIST"), 0, 65536, False, XA_WINDOW, &tipo,
                           &formato, &cantidad, &resto, &datos) == Success &&
        datos && formato == 32) {
        auto* lista = reinterpret_cast<Window*>(datos);
        ventanas.assign(lista, lista + cantidad);
    }
    if (datos)
        XFree(datos);
    if (!ventanas.empty())
        return ventanas;
    Window r = 0, padre = 0;
    Window* hijos = nullptr;
    unsigned int n = 0;
    if (XQueryTree(d, raiz, &r, &padre, &hijos, &n) && hijos) {
        ventanas.assign(hijos, hijos + n);
        XFree(hijos);
    }
    return ventanas;
}

QString Titulo(Display* d, Window w) {
    Atom tipo = 0;
    int formato = 0;
    unsigned long cantidad = 0, resto = 0;
    unsigned char* datos = nullptr;
    QString titulo;
    if (XGetWindowProperty(d, w, Atomo(d, "_NET_WM_NAME"), 0, 1024, False, Atomo(d, "UTF8_STRING"),
                           &tipo, &formato, &cantidad, &resto, &datos) == Success &&
        datos && formato == 8) {
        titulo = QString::fromUtf8(reinterpret_cast<const char*>(datos), int(cantidad));
    }
    if (datos)
        XFree(datos);
    if (!titulo.isEmpty())
        return titulo;
    char* nombre = nullptr;
    if (XFetchName(d, w, &nombre) && nombre) {
        titulo = QString::fromLatin1(nombre);
        XFree(nombre);
    }
    return titulo;
}

void Mensaje(Display* d, Window raiz, Window w, Atom tipo, long a, long b, long c) {
    XEvent e{};
    e.xclient.type = ClientMessage;
    e.xclient.window = w;
    e.xclient.message_type = tipo;
    e.xclient.format = 32;
    e.xclient.data.l[0] = a;
    e.xclient.data.l[1] = b;
    e.xclient.data.l[2] = c;
    XSendEvent(d, raiz, False, SubstructureRedirectMask | SubstructureNotifyMask, &e);
}

} // namespace

bool TraerAlFrenteVentana(const QString& titulo) {
    const char* pantalla = std::getenv("DISPLAY");
    if (!pantalla || !*pantalla || titulo.isEmpty())
        return false;
    Display* d = XOpenDisplay(nullptr);
    if (!d)
        return false;
    auto anterior = XSetErrorHandler(IgnorarError);
    const Window raiz = DefaultRootWindow(d);
    Window encontrada = 0;
    for (Window w : VentanasPrincipales(d, raiz)) {
        if (Titulo(d, w) == titulo) {
            encontrada = w;
            break;
        }
    }
    if (encontrada) {
        // Tamaño normal: ni minimizada ni maximizada; luego al frente.
        const Atom estado = Atomo(d, "_NET_WM_STATE");
        Mensaje(d, raiz, encontrada, estado, 0, long(Atomo(d, "_NET_WM_STATE_MAXIMIZED_VERT")),
                long(Atomo(d, "_NET_WM_STATE_MAXIMIZED_HORZ")));
        Mensaje(d, raiz, encontrada, estado, 0, long(Atomo(d, "_NET_WM_STATE_HIDDEN")), 0);
        XMapRaised(d, encontrada);
        Mensaje(d, raiz, encontrada, Atomo(d, "_NET_ACTIVE_WINDOW"), 1, CurrentTime, 0);
        XSync(d, False);
    }
    XSetErrorHandler(anterior);
    XCloseDisplay(d);
    return encontrada != 0;
}

#else

bool TraerAlFrenteVentana(const QString&) {
    return false;
}

#endif
