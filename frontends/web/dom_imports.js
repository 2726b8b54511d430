// The imports of frontends/web/dom.h: each forwards to the page's panel view,
// given to the module as Module.view (page/panel_view.js), or, for what a
// script host reads and does, to Module.readBack (page/read_back.js). Code
// page 932 bytes are decoded here with the page's Shift_JIS decoder; texts
// going back are UTF-8 in memory from malloc.

mergeInto(LibraryManager.library, {
  $reelctlDom__deps: ['malloc'],
  $reelctlDom: {
    decoder: null,
    cp932: function (pointer, length) {
      if (!reelctlDom.decoder) reelctlDom.decoder = new TextDecoder('shift_jis');
      return reelctlDom.decoder.decode(HEAPU8.slice(pointer, pointer + length));
    },
    utf8: function (text) {
      if (text === null || text === undefined) return 0;
      const bytes = new TextEncoder().encode(text);
      const pointer = _malloc(bytes.length + 1);
      HEAPU8.set(bytes, pointer);
      HEAPU8[pointer + bytes.length] = 0;
      return pointer;
    },
  },

  reelctl_dom_build__deps: ['$reelctlDom'],
  reelctl_dom_build: function (rowPixels) { Module.view.build(rowPixels); },
  reelctl_dom_set_text__deps: ['$reelctlDom'],
  reelctl_dom_set_text: function (id, text, length) { Module.view.setText(id, reelctlDom.cp932(text, length)); },
  reelctl_dom_enable: function (id, on) { Module.view.enable(id, on !== 0); },
  reelctl_dom_show: function (id, on) { Module.view.show(id, on !== 0); },
  reelctl_dom_check: function (id, on) { Module.view.check(id, on !== 0); },
  reelctl_dom_set_image: function (id, name) { Module.view.setImage(id, name ? UTF8ToString(name) : null); },
  reelctl_dom_combo_reset: function (id) { Module.view.comboReset(id); },
  reelctl_dom_combo_add__deps: ['$reelctlDom'],
  reelctl_dom_combo_add: function (id, text, length) { Module.view.comboAdd(id, reelctlDom.cp932(text, length)); },
  reelctl_dom_combo_text__deps: ['$reelctlDom'],
  reelctl_dom_combo_text: function (id) { return reelctlDom.utf8(Module.view.comboText(id)); },
  reelctl_dom_caption__deps: ['$reelctlDom'],
  reelctl_dom_caption: function (text, length) { Module.view.caption(reelctlDom.cp932(text, length)); },
  reelctl_dom_message__deps: ['$reelctlDom'],
  reelctl_dom_message: function (text, length, caption, captionLength) {
    Module.view.message(reelctlDom.cp932(text, length), reelctlDom.cp932(caption, captionLength));
  },
  reelctl_dom_menu_check: function (id, on) { Module.view.menuCheck(id, on !== 0); },
  reelctl_dom_control_top: function (id) { return Module.view.controlTop(id); },
  reelctl_dom_channel_open: function (name) { return Module.view.channelOpen(UTF8ToString(name)); },
  reelctl_dom_channel_post: function (channel, bytes, size) {
    Module.view.channelPost(channel, HEAPU8.slice(bytes, bytes + size));
  },
  reelctl_dom_channel_close: function (channel) { Module.view.channelClose(channel); },
  reelctl_dom_help: function (document) { Module.view.help(UTF8ToString(document)); },
  reelctl_dom_end_dialog: function (value) { Module.view.endDialog(value); },
  reelctl_dom_focus_moved: function (id) { Module.view.focusMoved(id); },
  reelctl_dom_show_iconic: function (on) { Module.view.showIconic(on !== 0); },

  reelctl_dom_state: function (id) { return Module.view.state(id); },
  reelctl_dom_text__deps: ['$reelctlDom'],
  reelctl_dom_text: function (id) { return reelctlDom.utf8(Module.readBack.text(id)); },
  reelctl_dom_item_count: function (id) { return Module.readBack.items(id).length; },
  reelctl_dom_item__deps: ['$reelctlDom'],
  reelctl_dom_item: function (id, index) { return reelctlDom.utf8(Module.readBack.items(id)[index]); },
  reelctl_dom_image__deps: ['$reelctlDom'],
  reelctl_dom_image: function (id) { return reelctlDom.utf8(Module.readBack.image(id)); },
  reelctl_dom_caption_text__deps: ['$reelctlDom'],
  reelctl_dom_caption_text: function () { return reelctlDom.utf8(Module.readBack.captionText()); },
  reelctl_dom_iconic: function () { return Module.readBack.iconic() ? 1 : 0; },
  reelctl_dom_menu_checked: function (id) { return Module.readBack.menuChecked(id) ? 1 : 0; },
  reelctl_dom_message_text__deps: ['$reelctlDom'],
  reelctl_dom_message_text: function () { return reelctlDom.utf8(Module.readBack.openMessage('text')); },
  reelctl_dom_message_caption__deps: ['$reelctlDom'],
  reelctl_dom_message_caption: function () { return reelctlDom.utf8(Module.readBack.openMessage('caption')); },
  reelctl_dom_answer_message: function () { Module.readBack.answerMessage(); },
  reelctl_dom_click: function (id) { Module.readBack.userClick(id); },
  reelctl_dom_pick: function (id, index) { Module.readBack.userPick(id, index); },
  reelctl_dom_type_text: function (id, text) { Module.readBack.typeText(id, UTF8ToString(text)); },
  reelctl_dom_menu_command: function (id) { return Module.readBack.menuCommand(id) ? 1 : 0; },
  reelctl_dom_title_button: function (button) { return Module.readBack.titleButton(button) ? 1 : 0; },
  reelctl_dom_press_key: function (key, code, shift, alt) {
    Module.readBack.pressKey(UTF8ToString(key), UTF8ToString(code), shift !== 0, alt !== 0);
  },
  reelctl_dom_companion_listen: function (channel) { Module.readBack.companionListen(UTF8ToString(channel)); },
  reelctl_dom_companion_received: function (buffer, size) {
    const bytes = Module.readBack.companionReceived();
    if (!bytes) return -1;
    HEAPU8.set(bytes.subarray(0, Math.min(size, bytes.length)), buffer);
    return bytes.length;
  },
});
