#pragma once

#include "sdk/AppServer.h"
#include "store/data/ErrorState.h"

#include <QString>
#include <cstdint>
#include <functional>
#include <memory>

class CStore;
class StoredProcedureCall;
enum class SuccessTest;

// The module's service: store-level deletes and updates of a store's sub-table rows, store deletion, register
// installation, and the entry points of the price picker, the price viewer and the two detail viewers.
// It works over the connection and error object of the application server it is given.
class CStoreMaint {
public:
    std::shared_ptr<ItemMaintenance> ItemMaint() const;
    std::shared_ptr<::DBConnection> DBConnection() const { return m_db; }
    std::shared_ptr<::ErrorObject> ErrorObject() const { return m_error; }
    // Takes the connection and error object from the server; failures reach the caller.
    void setAppServer(const std::shared_ptr<::AppServer>& appServer);

    bool DeleteStoreProduct(int32_t lStoreNo, int32_t lProductNo);
    bool DeleteStoreGroup(int32_t lStoreNo, int32_t lGroupNo);
    bool DeleteStoreFee(int32_t lStoreNo, const QString& sFeeId);
    bool DeleteStoreList(int32_t lStoreNo, const QString& sListId);
    bool UpdateStoreGroup(int32_t lStoreNo, int32_t lOriginalGroupNo, int32_t& lGroupNo,
                          const QString& sDescription, const QString& sDisplayType,
                          const QString& sImageWidth, const QString& sImageHeight, int32_t lNumCols,
                          bool bManualInvoice);
    bool UpdateStoreList(int32_t lStoreNo, const QString& sOriginalId, const QString& sListId,
                         const QString& sDescription);
    bool UpdateStoreFee(int32_t lStoreNo, const QString& sOriginalFeeId, const QString& sFeeId,
                        double dAmount, double dMinAmount, double dPercent, int32_t lItemNo,
                        int32_t lProductGroupNo, int32_t lPriceNo);
    void DisplayOrderDetail(int32_t lStoreNo, double dOrderNo);
    // Lets the user pick a price; true with the price number, price text and unit quantity filled in.
    bool SelectPrice(int32_t lItemNo, int32_t lStoreNo, int32_t lProductNo, int32_t lSeqNo, int32_t& lPriceNo,
                     QString& sPrice, int16_t& iUnitQty, int32_t lPackageno = 0);
    bool DeleteStoreListItem(int32_t lStoreNo, const QString& sListId, int32_t lSeqNo);
    void DisplayCustomerLogDetail(double dLogNo);
    bool InstallRegister(CStore& oStore);
    bool UnInstallRegister(CStore& oStore);
    bool DeleteStore(int32_t lStoreNo);
    bool DeleteStoreScreen(int32_t lStoreNo, const QString& sScreenId);
    bool UpdateStoreScreen(int32_t lStoreNo, const QString& sOrigScreenId, QString& sScreenId,
                           const QString& sScreenTitle, const QString& sScreenURL);
    void ShowPrices(int32_t lItemNo, int32_t lStoreNo, int32_t lPackageno = 0, int32_t lExtensionNo = 0);
    bool DeleteStoreExt(int32_t lStoreNo, int32_t lExtNo);
    bool UpdateStoreExt(int32_t lStoreNo, int32_t lItemNo);

    const ErrorState& Errors() const { return m_errors; }

private:
    using Inputs = std::function<void(StoredProcedureCall&)>;
    // Runs a procedure for its status under the operation's failure handler; onSuccess reads the outputs.
    bool write(const QString& operation, const QString& procedure, const Inputs& inputs, SuccessTest test,
               const QString& messageParameter, const QString& caption,
               const std::function<void(const StoredProcedureCall&)>& onSuccess = {});

    std::shared_ptr<::AppServer> m_appServer;
    std::shared_ptr<::DBConnection> m_db;
    std::shared_ptr<::ErrorObject> m_error;
    ErrorState m_errors{QStringLiteral("CStoreMaint")};
};
