#pragma once

// How many characters the database's text columns hold: the editors' text boxes take no more, and a save
// refuses a longer text that arrived another way.
namespace ColumnLength {

constexpr int StoreDescription = 50;
constexpr int Address = 255; // store, logo and product URLs, e-mail addresses
constexpr int ProductName = 100;
constexpr int ProductType = 255;
constexpr int ProductDescription = 255;
constexpr int ProductItemName = 100;
constexpr int ProductItemDescription = 255;
constexpr int SellCode = 20;
constexpr int SellText = 255;
constexpr int GroupDescription = 50;
constexpr int ListId = 50;
constexpr int ListDescription = 50;
constexpr int FeeId = 50;
constexpr int ScreenId = 50;
constexpr int ScreenTitle = 100;

} // namespace ColumnLength
