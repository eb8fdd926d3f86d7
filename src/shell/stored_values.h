#pragma once

#include <string_view>

namespace vendaxo {

// Which key of the store a value lives in.
enum class StoreKey { Installation, Merchant };

// One named value of the store, with the text its owner takes in place of ""
// (a value never stored).
template <StoreKey Key> struct StoredValue {
    std::string_view name;
    std::string_view whenEmpty = {};
};
using InstallationValue = StoredValue<StoreKey::Installation>;
using MerchantValue = StoredValue<StoreKey::Merchant>;

inline constexpr std::string_view kDefaultConfirmationMessage =
    "Your order has been successfully received.  We will notify you when it ships.";
inline constexpr std::string_view kDefaultMinimumMessage =
    "You have not purchased the minimum required products.  Please click your browser's back "
    "button to continue.";

// Handling and insurance are stored alike, each under its own names.
struct ChargeValues {
    MerchantValue enabled, type, base, rate, minimum, label;
};

// Every value the program reads or writes: the one place each name is spelled.
namespace stored {

// Written by the installer; the program only reads them.
inline constexpr InstallationValue kHelpFile{"HelpFile"};
inline constexpr InstallationValue kInstallFolder{"VDXDir"};
inline constexpr InstallationValue kSerial{"Serial"}; // numbers separated by ";"
inline constexpr InstallationValue kCompany{"Company"};
inline constexpr InstallationValue kCartServer{"CGIPath"};
inline constexpr InstallationValue kOrderRetrieval{"CGIRetrive"};

// The options dialog.
inline constexpr MerchantValue kMainPage{"OURL"};
inline constexpr MerchantValue kCheckoutPage{"OChk"};
inline constexpr MerchantValue kConfirmation{"OCnf", kDefaultConfirmationMessage};
inline constexpr MerchantValue kCurrency{"Currency", "$"};
inline constexpr MerchantValue kTaxTable{"OTax"};
inline constexpr MerchantValue kTaxShipping{"taxshipping"};
inline constexpr MerchantValue kInternational{"internationalship"};
inline constexpr MerchantValue kVerification{"OCCVerifyType", "0"};

// The shipping dialog.
inline constexpr MerchantValue kShippingMethod{"OSta", "0"};
inline constexpr MerchantValue kUserChoices{
    "OShp", "Standard Ground = $5;\r\nSecond Day = $15;\r\nOvernight = $25;\r\n"};
inline constexpr MerchantValue kUnitRate{"OWgt", "0.00"};
inline constexpr MerchantValue kBaseRate{"OBase", "0.00"};
inline constexpr MerchantValue kShippingMessage{"OSmg",
                                                "Shipping Charges Automatically Calculated"};
inline constexpr MerchantValue kShippingMinimum{"OSmin", "0.00"};
inline constexpr MerchantValue kCalculationBasis{"OSCompareType", "0"};
inline constexpr MerchantValue kBaseRates{"OBaseChart"};
inline constexpr MerchantValue kChartBasis{"RateChartComparison", "0"};
inline constexpr MerchantValue kSingleChart{"RateChartData"};
inline constexpr MerchantValue kNamedCharts{"MRateChartData"};
inline constexpr MerchantValue kChartNames{"RateChartChoices"};
inline constexpr MerchantValue kUpsOrigin{"UPSOrig", "0"};
inline constexpr MerchantValue kUpsPickup{"UPSPickup", "0"};
inline constexpr MerchantValue kUpsPackage{"UPSPackage", "0"};
inline constexpr MerchantValue kUpsOriginZip{"UPSOrigZip"};
inline constexpr MerchantValue kUpsBaseRate{"UPSBaseRate"};
inline constexpr MerchantValue kUpsServices{"UPSService", "1;1;1;1;1;1;1;0;0;0;0;"};

// The order charges pages of the shipping dialog.
inline constexpr ChargeValues kHandling{
    {"HandlingEnabled", "0"}, {"HandlingType", "0"},       {"HandlingBase", "0.00"},
    {"HandlingRate", "0.00"}, {"HandlingMinimum", "0.00"}, {"HandlingLabel", "Handling Charge:"}};
inline constexpr ChargeValues kInsurance{
    {"InsuranceEnabled", "0"},    {"InsuranceType", "0"},
    {"InsuranceBase", "0.00"},    {"InsuranceRate", "0.00"},
    {"InsuranceMinimum", "0.00"}, {"InsuranceLabel", "Insurance Charge:"}};
inline constexpr MerchantValue kDiscountEnabled{"GlobalDisEnabled", "0"};
inline constexpr MerchantValue kDiscountType{"GlobalDisType", "0"};
inline constexpr MerchantValue kDiscountRate{"GlobalDisRate", "0"};
inline constexpr MerchantValue kDiscountBasis{"GlobalDisComparison", "0"};
inline constexpr MerchantValue kDiscountThreshold{"GlobalDisComValue", "0"};
inline constexpr MerchantValue kDiscountLabel{"GlobalDisLabel", "Order Discount"};
inline constexpr MerchantValue kMinimumEnabled{"MinimumShipping", "0"};
inline constexpr MerchantValue kMinimumBasis{"MinimumComparison", "0"};
inline constexpr MerchantValue kMinimumAmount{"MinimumRate"};
inline constexpr MerchantValue kMinimumMessage{"MinimumMessage", kDefaultMinimumMessage};

// The styles dialog: 28 colours, "" when never set.
inline constexpr MerchantValue kShopColours{"shopcolors"};

// The checkout dialog's boxes as last used.
inline constexpr MerchantValue kPaymentOptions{"ccCards"};
inline constexpr MerchantValue kRequiredValues{"ccVerify"};

// The purchase dialog's product defaults; nothing is pasted for "".
inline constexpr MerchantValue kDefaultPrice{"PPrc"};
inline constexpr MerchantValue kDefaultDescription{"PDes"};
inline constexpr MerchantValue kCarriedText{"POpt"};
inline constexpr MerchantValue kCarriedText2{"POpt2"};
inline constexpr MerchantValue kDefaultCaption{"PBut"};
inline constexpr MerchantValue kDefaultDiscounts{"PQty"};
inline constexpr MerchantValue kDefaultWeight{"PWgt"};
inline constexpr MerchantValue kDefaultNonTaxable{"PTax"};
inline constexpr MerchantValue kDefaultQuantityDiscount{"PQcb"};
inline constexpr MerchantValue kDefaultFreeShipping{"PShip"};
inline constexpr MerchantValue kDefaultNoJump{"PNoJump"};
inline constexpr MerchantValue kDefaultNoFractional{"PFractional"};
inline constexpr MerchantValue kDefaultQuantityLock{"PQlock"};
inline constexpr MerchantValue kDefaultFixedQuantity{"PQlockVal"};
inline constexpr MerchantValue kDefaultNoMinimums{"PQNoMin"};
inline constexpr MerchantValue kDefaultQuantityBox{"PQInBox"};
inline constexpr MerchantValue kDefaultOptionsEnabled{"POptionEnable"};
inline constexpr MerchantValue kDefaultOptionStyle{"POptionStyle"};
inline constexpr MerchantValue kDefaultOptionData{"POptionData"};

} // namespace stored

} // namespace vendaxo
