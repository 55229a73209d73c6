#include "window/tarvel_mondix.h"
#include <QApplication>
#include <QTest>
#include <QRadioButton>
#include <gtest/gtest.h>
#include <cstdio>
TEST(Probe, X){ 
 Tarvel_Mondix w; w.widget().show(); w.widget().activateWindow(); QTest::qWaitForWindowActive(&w.widget());
 for(int i=0;i<30;i++){ QWidget*f=QApplication::focusWidget(); printf("%s, ", f? f->objectName().toUtf8().constData():"null"); QTest::keyClick(f,Qt::Key_Tab);} printf("\n");
 w.controls().events[3]->click();
 for(int i=0;i<30;i++){ QWidget*f=QApplication::focusWidget(); printf("%s, ", f? f->objectName().toUtf8().constData():"null"); QTest::keyClick(f,Qt::Key_Tab);} printf("\n");
 QFont f = w.widget().font(); printf("font %s -> %s\n", f.family().toUtf8().constData(), QFontInfo(f).family().toUtf8().constData());
}
