// Resource ids of the framework tests' own dialog.
#pragma once

#define IDD_TEST 100
#define IDD_TEST_HIDDEN 101
#define IDS_TEST 102
#define IDC_TEST_GROUP 200
#define IDC_TEST_CHECK 201
#define IDC_TEST_EDIT 202
