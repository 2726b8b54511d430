// A drop-down list as the Windows combo box of the template has it: items
// carry no data, the current text may name no item (a text set with no
// selection), and every completed choice is reported, the same item again
// included, which a <select> would not do.

import { make } from './elements.js';

export class Combo {
  // `acted()` is called when a user opens the list, `chosen(index)` for a
  // user's completed choice, after the selection changed.
  constructor(id, rect, listHeight, { acted, chosen }) {
    this.id = id;
    this.items = [];
    this.selection = -1;
    this.currentText = '';
    this.highlight = -1;
    this.acted = acted;
    this.chosen = chosen;

    this.box = make('div', 'combo');
    Object.assign(this.box.style, { left: `${rect.x}px`, top: `${rect.y}px`, width: `${rect.width}px` });

    this.list = make('ul', 'combo-list', { id: `list-${id}`, hidden: true }, { role: 'listbox' });
    this.list.style.maxHeight = `${Math.max(listHeight, 0)}px`;
    this.field = make('button', 'combo-field', { type: 'button' },
      { role: 'combobox', 'aria-haspopup': 'listbox', 'aria-expanded': 'false', 'aria-controls': this.list.id });
    this.field.dataset.id = String(id);
    this.label = make('span', 'combo-text');
    this.field.append(this.label, make('span', 'combo-arrow', {}, { 'aria-hidden': 'true' }));
    this.box.append(this.field, this.list);

    this.field.addEventListener('click', () => (this.isOpen() ? this.close() : this.open()));
    // The list never takes the focus from the field.
    this.list.addEventListener('mousedown', (event) => event.preventDefault());
    this.list.addEventListener('click', (event) => {
      const row = event.target.closest('li');
      if (row) this.choose(Number(row.dataset.index));
    });
  }

  reset() {
    this.close();
    this.items = [];
    this.selection = -1;
    this.currentText = '';
    this.list.replaceChildren();
    this.render();
  }

  add(text) {
    const row = make('li', '', { id: `item-${this.id}-${this.items.length}`, textContent: text }, { role: 'option' });
    row.dataset.index = String(this.items.length);
    this.items.push(text);
    this.list.append(row);
  }

  // A text of no item, with nothing selected.
  setText(text) {
    this.selection = -1;
    this.currentText = text;
    this.render();
  }

  text() {
    return this.currentText;
  }

  setEnabled(on) {
    this.field.disabled = !on;
    if (!on) this.close();
  }

  isOpen() {
    return !this.list.hidden;
  }

  open() {
    if (this.field.disabled || this.isOpen()) return;
    this.list.hidden = false;
    this.field.setAttribute('aria-expanded', 'true');
    this.acted();
    this.setHighlight(this.selection);
  }

  close() {
    if (!this.isOpen()) return;
    this.list.hidden = true;
    this.field.setAttribute('aria-expanded', 'false');
    this.field.removeAttribute('aria-activedescendant');
  }

  // A user's completed choice: selection and text, then the notification.
  choose(index) {
    this.close();
    if (index < 0 || index >= this.items.length) return;
    this.selection = index;
    this.currentText = this.items[index];
    this.render();
    this.chosen(index);
  }

  setHighlight(index) {
    this.highlight = index;
    for (const row of this.list.children) row.classList.toggle('highlight', Number(row.dataset.index) === index);
    const row = this.list.children[index];
    if (row) {
      this.field.setAttribute('aria-activedescendant', row.id);
      row.scrollIntoView({ block: 'nearest' });
    }
  }

  // The combo's keys while it has the focus; true when the key was its own.
  key(event) {
    const alt = event.altKey;
    if (this.isOpen()) {
      switch (event.key) {
        case 'ArrowDown': this.setHighlight(Math.min(this.highlight + 1, this.items.length - 1)); return true;
        case 'ArrowUp': this.setHighlight(Math.max(this.highlight - 1, 0)); return true;
        case 'Home': this.setHighlight(0); return true;
        case 'End': this.setHighlight(this.items.length - 1); return true;
        case 'Enter':
        case 'F4':
          if (this.highlight >= 0) this.choose(this.highlight);
          else this.close();
          return true;
        case 'Escape': this.close(); return true;
        case 'Tab': this.close(); return false;
        default:
          if (alt && (event.key === 'ArrowUp' || event.key === 'ArrowDown')) {
            this.close();
            return true;
          }
          return false;
      }
    }
    if (event.key === 'F4' || (alt && (event.key === 'ArrowDown' || event.key === 'ArrowUp'))) {
      this.open();
      return true;
    }
    // A closed list moves its selection with the arrows but reports no completed choice.
    if (!alt && (event.key === 'ArrowDown' || event.key === 'ArrowUp') && this.items.length > 0) {
      const next = event.key === 'ArrowDown' ? Math.min(this.selection + 1, this.items.length - 1) : Math.max(this.selection - 1, 0);
      this.selection = next;
      this.currentText = this.items[next];
      this.render();
      return true;
    }
    return event.key === ' ';  // the field is no push button: Space does not open it here
  }

  render() {
    this.label.textContent = this.currentText;
    for (const row of this.list.children) row.setAttribute('aria-selected', String(Number(row.dataset.index) === this.selection));
  }
}
