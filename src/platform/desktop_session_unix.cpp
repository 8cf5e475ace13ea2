#include "platform/desktop_session.h"

#include <QDBusConnection>
#include <QGuiApplication>

#include <fontconfig/fontconfig.h>

void ConnectSessionBus() {
    // Only a window on a desktop has a screen-reader bridge; Qt keeps the connection,
    // and the bridge finds it made.
    QString platform = QGuiApplication::platformName();
    if (platform == QLatin1String("xcb") || platform.startsWith(QLatin1String("wayland")))
        QDBusConnection::sessionBus();
}

void LeaveOutSystemFonts() {
    // The rules a Debian desktop applies to every face, and its synthetic slant and
    // weight for a style the faces lack; no font folders, so no system font is known.
    static const char rules[] = R"(<?xml version="1.0"?>
<!DOCTYPE fontconfig SYSTEM "urn:fontconfig:fonts.dtd">
<fontconfig>
  <match target="pattern">
    <edit name="hintstyle" mode="append"><const>hintslight</const></edit>
    <edit name="antialias" mode="append"><bool>true</bool></edit>
    <edit name="lcdfilter" mode="append"><const>lcddefault</const></edit>
  </match>
  <match target="font">
    <test name="slant"><const>roman</const></test>
    <test target="pattern" name="slant" compare="not_eq"><const>roman</const></test>
    <edit name="matrix" mode="assign">
      <times><name>matrix</name><matrix><double>1</double><double>0.2</double><double>0</double><double>1</double></matrix></times>
    </edit>
    <edit name="slant" mode="assign"><const>oblique</const></edit>
    <edit name="embeddedbitmap" mode="assign"><bool>false</bool></edit>
  </match>
  <match target="font">
    <test name="weight" compare="less_eq"><const>medium</const></test>
    <test target="pattern" name="weight" compare="more_eq"><const>bold</const></test>
    <edit name="embolden" mode="assign"><bool>true</bool></edit>
    <edit name="weight" mode="assign"><const>bold</const></edit>
  </match>
</fontconfig>
)";
    FcConfig* config = FcConfigCreate();
    if (!config) return;
    if (!FcConfigParseAndLoadFromMemory(config, reinterpret_cast<const FcChar8*>(rules), FcTrue) ||
        !FcConfigBuildFonts(config) || !FcConfigSetCurrent(config)) {
        FcConfigDestroy(config);
        return;
    }
    // The current configuration holds its own reference now.
    FcConfigDestroy(config);
}
