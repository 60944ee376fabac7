#include "RenderStoreEditor.h"

#include "store/editors/store/frmStore.h"
#include "store/host/CStoreMaint.h"
#include "store/records/CStore.h"
#include "widgets/TabStrip.h"

#include <QApplication>
#include <QDir>
#include <iostream>

int RenderStoreEditor(CStoreMaint& maint, int32_t storeNo, const QString& folder) {
    CStore store;
    store.OpenStore(maint.DBConnection(), maint.ErrorObject(), storeNo);
    frmStore form;
    form.Setup(maint, store);
    form.show();
    int written = 0;
    for (const auto& [key, name] :
         {std::pair{"GROUP", "groups"}, {"FEE", "fees"}, {"PAYMENT", "payments"}, {"CONFIRM", "document"}}) {
        form.tabTabs->SelectKey(QLatin1String(key));
        QApplication::processEvents();
        const QString path =
            QDir(folder).filePath(QStringLiteral("store-editor-%1.png").arg(QLatin1String(name)));
        const bool saved = form.grab().save(path);
        std::cout << (saved ? "wrote " : "could not write ") << path.toStdString() << '\n';
        written += saved ? 1 : 0;
    }
    form.hide();
    return written;
}
