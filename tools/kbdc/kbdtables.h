/* Keyboard layout tables in the form the platform reads through a layout
 * library's KbdLayerDescriptor export. Field order and widths follow the
 * platform's description of its layout tables; with KBD_WIDE_POINTERS every
 * pointer takes 64 bits, the form 32-bit programs on a 64-bit Windows expect
 * of the copy in the 32-bit system folder. */
#ifndef KBDTABLES_H
#define KBDTABLES_H

typedef unsigned char KbdByte;
typedef unsigned short KbdWord; /* also one UTF-16 character */
typedef unsigned int KbdDword;

#ifdef KBD_WIDE_POINTERS
#define KBD_PTR(T) struct { T *p; KbdDword high; } __attribute__((aligned(8)))
#define KBD_P(x) {x, 0}
#define KBD_POINTER_BYTES 8
#else
#define KBD_PTR(T) struct { T *p; }
#define KBD_P(x) {x}
#define KBD_POINTER_BYTES (int)sizeof(void *)
#endif

#define KBD_NONE 0xF000 /* no character in this state */
#define KBD_DEAD 0xF001 /* dead key: the next row holds the accent */

typedef struct {
  KbdByte vk;
  KbdByte modBits;
} KbdVkToBit;

typedef struct {
  KBD_PTR(KbdVkToBit) vkToBit;
  KbdWord maxModBits;
  KbdByte modNumber[8];
} KbdModifiers;

#define KBD_DECLARE_VK_TO_WCHARS(n)                                           \
  typedef struct {                                                            \
    KbdByte vk;                                                               \
    KbdByte attributes;                                                       \
    KbdWord wch[n];                                                           \
  } KbdVkToWchars##n

typedef struct {
  KBD_PTR(void) rows;
  KbdByte modifications;
  KbdByte rowSize;
} KbdVkToWcharTable;

typedef struct {
  KbdDword both; /* low word the following character, high word the accent */
  KbdWord composed;
  KbdWord flags;
} KbdDeadKey;

typedef struct {
  KbdByte vsc;
  KBD_PTR(KbdWord) name;
} KbdKeyName;

typedef struct {
  KBD_PTR(KbdWord) name; /* the accent, then its name */
} KbdDeadName;

typedef struct {
  KbdByte vsc;
  KbdWord vk;
} KbdVscVk;

typedef struct {
  KBD_PTR(KbdModifiers) modifiers;
  KBD_PTR(KbdVkToWcharTable) vkToWcharTables;
  KBD_PTR(KbdDeadKey) deadKeys;
  KBD_PTR(KbdKeyName) keyNames;
  KBD_PTR(KbdKeyName) keyNamesExt;
  KBD_PTR(KbdDeadName) keyNamesDead;
  KBD_PTR(KbdWord) vscToVk;
  KbdByte vscToVkLength;
  KBD_PTR(KbdVscVk) vscToVkE0;
  KBD_PTR(KbdVscVk) vscToVkE1;
  KbdDword localeFlags; /* low word KLLF_* flags, high word the table version */
  KbdByte ligatureMax;
  KbdByte ligatureEntryBytes;
  KBD_PTR(void) ligatures;
  KbdDword type;
  KbdDword subtype;
} KbdTables;

_Static_assert(sizeof(KbdVscVk) == 4, "E0/E1 entries are 4 bytes");
_Static_assert(sizeof(KbdDeadKey) == 8, "dead-key entries are 8 bytes");
_Static_assert(sizeof(KbdTables) == (KBD_POINTER_BYTES == 8 ? 104 : 60),
               "layout of the descriptor");

#endif
