#pragma once

// One successful call of every writing procedure on the demo data, as "procedure: @name=value; ...", in an
// order where each finds what it needs (a group is added before it is deleted, a store is deleted last).
inline const char* const WritingCalls[] = {
    "InsertProductGroup: store_no=1; product_group_no=50; description=Night",
    "UpdateProductGroup: store_no=1; product_group_no=55; product_group_no_key=50; description=Late",
    "DeleteStoreGroup: store_no=1; product_group_no=55",
    "InsertProduct: store_no=1; product_no=500; product_type=TICKET; product_name=Night; product_group_no=10",
    "UpdateProduct: store_no=1; product_no=150; product_no_key=100; product_name=Day; product_group_no=10",
    "DeleteProduct: store_no=2; product_no=100",
    "InsertProductItem: store_no=1; product_no=200; product_item_name=Pass; item_no=1004; price_no=109",
    "UpdateProductItem: store_no=1; product_no=150; seq_no=7; seq_no_key=1; item_no=1001; price_no=103",
    "DeleteProductItem: store_no=1; product_no=150; seq_no=3",
    "UpdateProductItemSell: store_no=1; product_no=400; seq_no=2; price_no=0; new_product_no=400; "
    "new_seq_no=1; new_price_no=0; sell_code=UPSELL; sell_text=Both",
    "DeleteProductItemSell: store_no=1; product_no=400; seq_no=1; price_no=0; new_product_no=400; "
    "new_seq_no=2; new_price_no=0",
    "InsertListItem: store_no=1; list_id=FEATURED; product_no=110; product_item_seq_no=1; price_no=110",
    "UpdateListItem: store_no=1; list_id=FEATURED; seq_no=8; seq_no_key=2; product_no=300; "
    "product_item_seq_no=1",
    "DeleteStoreListItem: store_no=1; list_id=FEATURED; seq_no=8",
    "UpdateStoreList: store_no=1; list_id=2028; list_id_key=2027; description=Later",
    "DeleteStoreList: store_no=1; list_id=HOLIDAY",
    "UpdateStoreFee: store_no=1; fee_id_key=SERVICE; fee_id=BOOKING; fee_amount=3.5; item_no=6003",
    "DeleteStoreFee: store_no=1; fee_id=RESORT TAX",
    "STORE_SCREEN_Insert: store_no=1; screen_id=FAQ; screen_title=Questions; screen_url=https://x/faq",
    "STORE_SCREEN_Update: store_no=1; screen_id=HELP; original_screen_id=FAQ; screen_title=Help",
    "STORE_SCREEN_Delete: store_no=1; screen_id=CART",
    "STORE_EXTENDABLE_Update: store_no=1; item_no=2001",
    "STORE_EXTENSION_update: store_no=1; item_no=2001; extension_item_no=6001; available=-1",
    "STORE_EXTENDABLE_delete: store_no=2; item_no=2001",
    "UpdateStore: store_no=1; description=Summit Peak; so_type=WEB",
    "UpdateStorePayMethod: store_no=1; pay_method_id=DISC",
    "DeleteStorePayMethod: store_no=1; pay_method_id=AMEX",
    "InstallRegister: store_no=3; register_id=WEB04",
    "UnInstallRegister: store_no=1; register_id=WEB02",
    "DeleteStore: store_no=2",
};
