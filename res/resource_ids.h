// Resource identifiers shared by the resource script and the code.
#ifndef KBD_RES_RESOURCE_IDS_H
#define KBD_RES_RESOURCE_IDS_H

#define IDI_BANNER 128
#define IDI_WINDOW 129
#define IDA_WIZARD 130

#endif
